#include "core/reading/DateValue.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace {

// Day number of 1970-01-01, the epoch of the civil-day arithmetic below.
constexpr std::int64_t UnixEpochDay = 25569;

// Days from 1970-01-01 to the given proleptic Gregorian date, counted in 400-year eras of
// 146097 days whose years start on 1 March, so that the leap day falls at an era year's end.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TYmd CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const auto day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const auto month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const auto year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

void AppendNumber(std::string& out, int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  out += buf;
}

} // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

TDate EncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day))
    throw std::invalid_argument("Invalid argument to date encode");
  return static_cast<TDate>(DaysFromCivil(year, month, day) + UnixEpochDay);
}

TYmd DecodeDate(TDate date) {
  return CivilFromDays(static_cast<std::int64_t>(std::floor(date)) - UnixEpochDay);
}

std::string FormatDate(std::string_view pattern, TDate date) {
  const TYmd ymd = DecodeDate(date);
  std::string out;
  while (!pattern.empty()) {
    if (pattern.starts_with("yyyy")) {
      AppendNumber(out, ymd.Year, 4);
      pattern.remove_prefix(4);
    } else if (pattern.starts_with("yy")) {
      AppendNumber(out, ymd.Year % 100, 2);
      pattern.remove_prefix(2);
    } else if (pattern.starts_with("mm")) {
      AppendNumber(out, ymd.Month, 2);
      pattern.remove_prefix(2);
    } else if (pattern.starts_with("dd")) {
      AppendNumber(out, ymd.Day, 2);
      pattern.remove_prefix(2);
    } else {
      out += pattern.front();
      pattern.remove_prefix(1);
    }
  }
  return out;
}
