#include "core/TextFile.h"

#include "core/Cp1252.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

std::vector<std::string> SplitLines(std::string_view text) {
  // Everything from the first NUL on is not text.
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& path) {
  const auto fail = [&path] { return std::runtime_error("Cannot open file " + PathText(path)); };
  const auto close = [](std::FILE* f) { std::fclose(f); };
  const std::unique_ptr<std::FILE, decltype(close)> file(std::fopen(path.c_str(), "rb"), close);
  if (!file) throw fail();
  std::string text;
  char buf[65536];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, file.get())) > 0) text.append(buf, got);
  // A folder opens but cannot be read.
  if (std::ferror(file.get())) throw fail();
  return SplitLines(text);
}
