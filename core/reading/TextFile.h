#pragma once

#include "core/reading/LoadOutcome.h"
#include "core/reading/SizeLimits.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
// A text file as read: its bytes, and how the reading went.
struct TTextFile {
  TLoadResult Result;
  std::string Text;
};

// Reads a file's bytes as they are. A NUL byte ends the text of any file that does not start
// with a UTF-16 byte-order mark: its bytes are read up to that NUL, which is kept, and no
// further. A file that is missing, not a plain file, locked by another program, larger than
// MaxTextFileSize (also one that grows past it while it is read), unreadable or empty gives no
// text and the outcome that says so.
TTextFile ReadTextFile(const std::filesystem::path& path);
