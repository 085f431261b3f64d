#pragma once

#include <cstdint>

// The largest input file the program reads: its tables take several times its size.
constexpr std::uintmax_t MaxTextFileSize = std::uintmax_t{256} << 20;

// Whether an input of that many bytes, a file or bytes in memory, is refused unread.
constexpr bool TooLargeToRead(std::uintmax_t size) {
  return size > MaxTextFileSize;
}

// The largest report the program makes. The rulers, the round dates and every player line are
// as wide as all round columns together, so a small file of many rounds would otherwise ask
// for a table and a report many thousands of times its own size.
constexpr std::uintmax_t MaxReportSize = std::uintmax_t{256} << 20;

// A size in whole MiB, rounded up, so that a file just over the limit does not show as at it.
std::uintmax_t SizeInMiB(std::uintmax_t size);
