#include "core/reading/TextFile.h"

#include "core/reading/FileInUse.h"
#include "core/reading/TextBytes.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace {

TTextFile Refused(TLoadOutcome outcome, std::uintmax_t size = 0) {
  return {{outcome, size}, {}};
}

} // namespace

TLineReader::TLineReader(std::string_view text) : FRest(UpToNul(text)) {}

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

TTextFile ReadTextFile(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return Refused(TLoadOutcome::Missing);
  if (!std::filesystem::is_regular_file(status)) return Refused(TLoadOutcome::NotAFile);
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return Refused(TLoadOutcome::Unreadable);
  if (TooLargeToRead(size)) return Refused(TLoadOutcome::TooLarge, size);
  if (IsFileLocked(path)) return Refused(TLoadOutcome::InUse, size);

  const auto close = [](std::FILE* f) { std::fclose(f); };
  const std::unique_ptr<std::FILE, decltype(close)> file(std::fopen(path.c_str(), "rb"), close);
  if (!file) return Refused(TLoadOutcome::Unreadable, size);
  TTextFile read{{TLoadOutcome::Read, size}, {}};
  std::string& text = read.Text;
  text.reserve(static_cast<std::size_t>(size));
  char buf[65536];
  std::size_t got = 0;
  bool any = false;
  bool nulEnds = true;
  while ((got = std::fread(buf, 1, sizeof buf, file.get())) > 0) {
    if (!any) nulEnds = NulEndsText(std::string_view(buf, got));
    any = true;
    // Reading stops at the NUL that ends the text, so a sparse file of NUL bytes is not read to
    // its end for nothing. The NUL stays: the reader tells where it stood.
    if (const void* nul = nulEnds ? std::memchr(buf, '\0', got) : nullptr) {
      text.append(buf, static_cast<std::size_t>(static_cast<const char*>(nul) - buf) + 1);
      return read;
    }
    // A file that grows while it is read is refused at the limit, not read on.
    if (TooLargeToRead(text.size() + got))
      return Refused(TLoadOutcome::TooLarge, text.size() + got);
    text.append(buf, got);
  }
  if (std::ferror(file.get())) return Refused(TLoadOutcome::Unreadable, size);
  if (!any) return Refused(TLoadOutcome::Empty);
  return read;
}
