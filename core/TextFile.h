#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The largest input file the program reads: its tables take several times its size.
constexpr std::uintmax_t MaxTextFileSize = std::uintmax_t{256} << 20;

// A size in whole MiB, rounded up, so that a file just over the limit does not show as at it.
std::uintmax_t SizeInMiB(std::uintmax_t size);

// The lines of a text one at a time, ended by CR LF, LF or a lone CR; a NUL byte ends the
// text. The lines are views into the text.
class TLineReader {
public:
  explicit TLineReader(std::string_view text);
  // The next line; false after the last.
  bool Next(std::string_view& line);

private:
  std::string_view FRest;
};

// Every line of the text, as TLineReader gives them.
std::vector<std::string_view> SplitLines(std::string_view text);
// A file's bytes as they are, up to its first NUL byte: the text ends there, so the rest is
// never read. Throws std::runtime_error("Cannot open file " + path), and
// std::runtime_error("file is too large (N MiB; the limit is 256 MiB)") when the text
// outgrows MaxTextFileSize.
std::string ReadTextFile(const std::filesystem::path& path);
