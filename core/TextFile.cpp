#include "core/TextFile.h"

#include "core/Cp1252.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <system_error>

namespace {

std::runtime_error TooLarge(std::uintmax_t size) {
  return std::runtime_error("file is too large (" + std::to_string(SizeInMiB(size)) +
                            " MiB; the limit is " + std::to_string(SizeInMiB(MaxTextFileSize)) +
                            " MiB)");
}

} // namespace

std::uintmax_t SizeInMiB(std::uintmax_t size) {
  return size / (1 << 20) + (size % (1 << 20) != 0 ? 1 : 0);
}

TLineReader::TLineReader(std::string_view text) : FRest(text.substr(0, text.find('\0'))) {}

bool TLineReader::Next(std::string_view& line) {
  if (FRest.empty()) return false;
  // One pass over the bytes; find_first_of would search its set of two for every byte.
  std::size_t end = 0;
  while (end < FRest.size() && FRest[end] != '\r' && FRest[end] != '\n') ++end;
  line = FRest.substr(0, end);
  if (end == FRest.size()) {
    FRest = {};
    return true;
  }
  std::size_t next = end;
  if (FRest[next] == '\r') ++next;
  if (next < FRest.size() && FRest[next] == '\n') ++next;
  FRest.remove_prefix(next);
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  TLineReader reader(text);
  for (std::string_view line; reader.Next(line);) lines.push_back(line);
  return lines;
}

std::string ReadTextFile(const std::filesystem::path& path) {
  const auto fail = [&path] { return std::runtime_error("Cannot open file " + PathText(path)); };
  const auto close = [](std::FILE* f) { std::fclose(f); };
  const std::unique_ptr<std::FILE, decltype(close)> file(std::fopen(path.c_str(), "rb"), close);
  if (!file) throw fail();
  std::string text;
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(path, ec); !ec && size <= MaxTextFileSize)
    text.reserve(static_cast<std::size_t>(size));
  char buf[65536];
  std::size_t got = 0;
  while ((got = std::fread(buf, 1, sizeof buf, file.get())) > 0) {
    // A sparse file of NUL bytes would otherwise be read to its end for nothing.
    if (const void* nul = std::memchr(buf, '\0', got)) {
      text.append(buf, static_cast<std::size_t>(static_cast<const char*>(nul) - buf));
      return text;
    }
    text.append(buf, got);
    if (text.size() > MaxTextFileSize) throw TooLarge(text.size());
  }
  // A folder opens but cannot be read.
  if (std::ferror(file.get())) throw fail();
  return text;
}
