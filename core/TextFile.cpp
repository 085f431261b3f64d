#include "core/TextFile.h"

#include "core/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <system_error>

std::vector<std::string_view> SplitLines(std::string_view text) {
  // Everything from the first NUL on is not text.
  text = text.substr(0, text.find('\0'));
  std::vector<std::string_view> lines;
  const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
  auto pos = text.begin();
  while (pos != text.end()) {
    const auto end = std::find_if(pos, text.end(), isLineEnd);
    lines.emplace_back(std::to_address(pos), static_cast<std::size_t>(end - pos));
    pos = end;
    if (pos != text.end() && *pos == '\r') ++pos;
    if (pos != text.end() && *pos == '\n') ++pos;
  }
  return lines;
}

std::string ReadTextFile(const std::filesystem::path& path) {
  const auto fail = [&path] { return std::runtime_error("Cannot open file " + PathText(path)); };
  const auto close = [](std::FILE* f) { std::fclose(f); };
  const std::unique_ptr<std::FILE, decltype(close)> file(std::fopen(path.c_str(), "rb"), close);
  if (!file) throw fail();
  std::string text;
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(path, ec); !ec)
    text.reserve(static_cast<std::size_t>(size));
  char buf[65536];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, file.get())) > 0) text.append(buf, got);
  // A folder opens but cannot be read.
  if (std::ferror(file.get())) throw fail();
  return text;
}
