#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// The bytes of a file as they are on disk.
inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A short view of the bytes from `at`, control characters and bytes above 126 escaped.
inline std::string BytesExcerpt(std::string_view bytes, std::size_t at) {
  if (at >= bytes.size()) return "<end>";
  std::string shown = "\"";
  for (const char c : bytes.substr(at, 24)) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\r')
      shown += "\\r";
    else if (c == '\n')
      shown += "\\n";
    else if (c == '\t')
      shown += "\\t";
    else if (u < 32 || u > 126) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      shown += hex;
    } else
      shown += c;
  }
  return shown + "\"";
}

// Equal bytes, or a failure naming the first differing line and column (both from 1).
inline ::testing::AssertionResult SameBytes(std::string_view actual, std::string_view expected) {
  std::size_t at = 0;
  std::size_t line = 1;
  std::size_t col = 1;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
    if (actual[at] == '\n') {
      ++line;
      col = 1;
    } else {
      ++col;
    }
    ++at;
  }
  if (at == actual.size() && at == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "first difference at line " << line << ", column " << col << ": expected "
         << BytesExcerpt(expected, at) << ", got " << BytesExcerpt(actual, at);
}
