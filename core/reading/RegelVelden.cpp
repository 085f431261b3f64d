#include "core/reading/RegelVelden.h"

#include "core/reading/Fields.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) {
  return c == ';' || c == '\t';
}

// Where the first quote from pos stands that is not doubled; npos for none.
std::size_t LoneQuote(std::string_view line, std::size_t pos) {
  for (std::size_t k = pos; k < line.size(); ++k) {
    if (line[k] != '"') continue;
    if (k + 1 < line.size() && line[k + 1] == '"') {
      ++k;
      continue;
    }
    return k;
  }
  return std::string_view::npos;
}

} // namespace

TRegelQuotes PrepareLine(std::string_view line, std::string& prepared) {
  line = Trim(line);
  if (line.find('"') == std::string_view::npos) {
    prepared.assign(line);
    std::replace(prepared.begin(), prepared.end(), ';', '\t');
    prepared += '\t';
    return {};
  }
  prepared.clear();
  TRegelQuotes result;
  std::size_t& quotes = result.Quotes;
  std::size_t pos = 0;
  for (;;) {
    std::size_t close = std::string_view::npos;
    if (pos < line.size() && line[pos] == '"') {
      close = LoneQuote(line, pos + 1);
      if (close != std::string_view::npos && close + 1 < line.size() &&
          !IsSeparator(line[close + 1]))
        close = std::string_view::npos;
    }
    if (close != std::string_view::npos) {
      for (std::size_t k = pos + 1; k < close; ++k) {
        if (line[k] == '\t') {
          prepared += ' ';
          result.TabInCel = true;
          continue;
        }
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
  return result;
}

TCelStand CelStand(std::string_view line, bool open) {
  std::size_t pos = 0;
  if (open) {
    const std::size_t close = LoneQuote(line, 0);
    if (close == std::string_view::npos) return TCelStand::Open;
    if (close + 1 < line.size() && !IsSeparator(line[close + 1])) return TCelStand::Gebroken;
    pos = close + 2;
  } else {
    line = TrimLeft(line);
  }
  while (pos < line.size()) {
    if (line[pos] == '"') {
      const std::size_t close = LoneQuote(line, pos + 1);
      if (close == std::string_view::npos) return TCelStand::Open;
      if (close + 1 >= line.size()) return TCelStand::Dicht;
      if (IsSeparator(line[close + 1])) {
        pos = close + 2;
        continue;
      }
    }
    const std::size_t end = line.find_first_of(";\t", pos);
    if (end == std::string_view::npos) return TCelStand::Dicht;
    pos = end + 1;
  }
  return TCelStand::Dicht;
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

bool JoinCel(TLineReader& reader, std::string_view line, std::string& joined,
             std::vector<std::string_view>& vervolg) {
  vervolg.clear();
  if (CelStand(line, false) != TCelStand::Open) return false;
  TLineReader peek = reader;
  for (std::string_view next; vervolg.size() < MaxCelRegels && peek.Next(next);) {
    vervolg.push_back(next);
    const TCelStand stand = CelStand(next, true);
    if (stand == TCelStand::Gebroken) break;
    if (stand == TCelStand::Open) continue;
    joined.assign(line);
    for (const std::string_view deel : vervolg) {
      joined += ' ';
      joined += deel;
    }
    reader = peek;
    return true;
  }
  vervolg.clear();
  return false;
}
