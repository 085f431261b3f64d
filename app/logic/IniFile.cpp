#include "app/logic/IniFile.h"

#include "core/reading/TextFile.h"
#include "core/report/ReportFile.h"
#include "core/text/Cp1252.h"
#include "core/text/TextCase.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

namespace fs = std::filesystem;

namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && LowerCp1252(a) == LowerCp1252(b);
}

// The section name of a "[Section]" line, or none for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

// Whether the line sets the key; `value` then holds the raw value.
bool KeyLine(std::string_view line, std::string_view key, std::string_view& value) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  if (!SameName(TrimBlanks(line.substr(0, equals)), key)) return false;
  value = TrimBlanks(line.substr(equals + 1));
  return true;
}

} // namespace

bool TIniFile::ReadLines(std::vector<std::string>& lines) const {
  lines.clear();
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(FPath, ec);
  if (ec || size > MaxFileSize) return false;
  std::ifstream in(FPath, std::ios::binary);
  if (!in) return false;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // A NUL byte marks a binary file, which holds no settings.
  if (in.bad() || text.find('\0') != std::string::npos) return false;
  for (const std::string_view line : SplitLines(text)) lines.emplace_back(line);
  return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  std::vector<std::string> lines;
  if (!ReadLines(lines)) return defaultValue;
  bool inSection = false;
  for (const std::string& line : lines) {
    if (const auto name = SectionName(line)) {
      inSection = SameName(*name, section);
      continue;
    }
    std::string_view value;
    if (inSection && KeyLine(line, key, value)) return std::string(value.substr(0, MaxValueLength));
  }
  return defaultValue;
}

TFileOutcome TIniFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
  return WriteStrings({{section, key, value}});
}

TFileOutcome TIniFile::WriteStrings(const std::vector<TIniSetting>& settings) {
  // A file that cannot be read holds no settings worth keeping, so it is replaced.
  std::vector<std::string> lines;
  ReadLines(lines);
  for (const TIniSetting& setting : settings)
    SetKey(lines, setting.Section, setting.Key, setting.Value);
  // Written like a report: CR LF lines that replace the old file in one step.
  if (const std::error_code ec = WriteReportFile(FPath, lines))
    return TFileRefusal{TFileRefusal::TStep::Make, FPath, ec};
  return std::nullopt;
}

void TIniFile::SetKey(std::vector<std::string>& lines, const std::string& section,
                      const std::string& key, const std::string& value) {
  const std::string keyLine = key + "=" + value;
  std::optional<std::size_t> sectionLine;
  std::optional<std::size_t> lastKeyLine;
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    if (const auto name = SectionName(lines[i])) {
      if (sectionLine) break;
      if (SameName(*name, section)) sectionLine = i;
      continue;
    }
    if (!sectionLine) continue;
    std::string_view old;
    if (KeyLine(lines[i], key, old)) {
      lines[i] = keyLine;
      done = true;
    } else if (!TrimBlanks(lines[i]).empty()) {
      lastKeyLine = i;
    }
  }
  if (!done && sectionLine) {
    const std::size_t at = (lastKeyLine ? *lastKeyLine : *sectionLine) + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), keyLine);
  } else if (!done) {
    lines.push_back("[" + section + "]");
    lines.push_back(keyLine);
  }
}
