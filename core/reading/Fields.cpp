#include "core/reading/Fields.h"

#include <algorithm>
#include <string>

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  // All 32 bits count, so "$FFFFFFFF" is -1.
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c) || value > 214748364) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value > 2147483647 || value < -2147483648LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

} // namespace

std::string_view Trim(std::string_view text) {
  return TrimRight(TrimLeft(text));
}

std::string_view TrimLeft(std::string_view text) {
  const auto* first = std::find_if_not(text.begin(), text.end(), IsBlank);
  text.remove_prefix(static_cast<std::size_t>(first - text.begin()));
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

namespace {

// A year part of more than four digits, leading zeros not counted. Too large for an integer,
// it would read as 0 and so as the year 2000.
bool HasLongYear(std::string_view part) {
  while (part.starts_with(' ')) part.remove_prefix(1);
  if (part.starts_with('-') || part.starts_with('+')) part.remove_prefix(1);
  while (part.starts_with('0')) part.remove_prefix(1);
  return part.size() > 4 &&
         std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string_view CutTabField(std::string_view& line) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return {};
  const std::string_view field = line.substr(0, tab);
  line.remove_prefix(tab + 1);
  return field;
}

int TabCount(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\t'));
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X')
    return ParseHex(text.substr(1));
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return ParseHex(text.substr(2));
  return ParseDecimal(text);
}

std::optional<std::int32_t> ParseIntField(std::string_view field) {
  // Leading zeros shrink to one: "0012" reads as "012" and "00x1F" as "0x1F".
  while (field.starts_with("00")) field.remove_prefix(1);
  return ParseInteger(field);
}

std::int32_t ReadIntField(std::string_view& line) {
  return ParseIntField(CutTabField(line)).value_or(0);
}

namespace {

TDatumVeld ParseDatum(std::string_view field) {
  TDatumVeld veld{field};
  if (field.empty()) return veld;

  std::string parts(field);
  parts += '\t';
  std::replace_if(
      parts.begin(), parts.end(), [](char c) { return c == '-' || c == '.' || c == '/'; }, '\t');
  std::string_view rest = parts;
  veld.Datum = InvalidDate;
  const std::string_view jaar = rest.substr(0, rest.find('\t'));
  if (HasLongYear(jaar)) return veld;
  int year = ReadIntField(rest);
  const int month = ReadIntField(rest);
  int day = ReadIntField(rest);

  // A four-digit last part means the date was written day first.
  if (day >= FirstDateYear && year >= 1 && year <= 31) std::swap(year, day);
  const bool verbreed = year < 10;
  if (verbreed) year += 2000;

  if (year < FirstDateYear || year > LastDateYear || !IsValidDate(year, month, day)) return veld;
  veld.Datum = EncodeDate(year, month, day);
  veld.JaarVerbreed = verbreed;
  if (verbreed) veld.JaarCijfers = static_cast<int>(Trim(jaar).size());
  return veld;
}

} // namespace

TDate ReadDateField(std::string_view& line) {
  return ReadDatumVeld(line).Datum;
}

TDatumVeld ReadDatumVeld(std::string_view& line) {
  line = TrimLeft(line);
  return ParseDatum(CutTabField(line));
}

TDatumVeld ReadEigenDatumVeld(std::string_view& line) {
  return ParseDatum(TrimLeft(CutTabField(line)));
}
