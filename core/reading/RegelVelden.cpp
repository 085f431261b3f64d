#include "core/reading/RegelVelden.h"

#include "core/reading/Fields.h"

#include <algorithm>

std::size_t PrepareLine(std::string_view line, std::string& prepared) {
  line = Trim(line);
  if (line.find('"') == std::string_view::npos) {
    prepared.assign(line);
    std::replace(prepared.begin(), prepared.end(), ';', '\t');
    prepared += '\t';
    return 0;
  }
  const auto isSeparator = [](char c) { return c == ';' || c == '\t'; };
  prepared.clear();
  std::size_t quotes = 0;
  std::size_t pos = 0;
  for (;;) {
    std::size_t close = std::string_view::npos;
    if (pos < line.size() && line[pos] == '"') {
      for (std::size_t k = pos + 1; k < line.size(); ++k) {
        if (line[k] != '"') continue;
        if (k + 1 < line.size() && line[k + 1] == '"') {
          ++k;
          continue;
        }
        close = k;
        break;
      }
      if (close != std::string_view::npos && close + 1 < line.size() &&
          !isSeparator(line[close + 1]))
        close = std::string_view::npos;
    }
    if (close != std::string_view::npos) {
      for (std::size_t k = pos + 1; k < close; ++k) {
        prepared += line[k];
        if (line[k] == '"') {
          ++k;
          ++quotes;
        }
      }
      quotes += 2;
      pos = close + 1;
    } else {
      const std::size_t end = std::min(line.find_first_of(";\t", pos), line.size());
      prepared.append(line.substr(pos, end - pos));
      pos = end;
    }
    if (pos >= line.size()) break;
    prepared += '\t';
    ++pos;
  }
  prepared += '\t';
  return quotes;
}

std::string JoinFields(std::string_view rest) {
  std::string joined;
  joined.reserve(rest.size());
  for (const char c : rest)
    if (c != '\t') joined += c;
  std::string result(Trim(joined));
  result += '\t';
  return result;
}
