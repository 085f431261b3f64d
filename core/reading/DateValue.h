#pragma once

#include <string>
#include <string_view>

// A date as a day number: days since 1899-12-30 in the proleptic Gregorian calendar.
using TDate = double;

// An empty date field (1900-01-01).
inline constexpr TDate NoDate = 2;
// A date text that does not read as a date from 1904-01-01 to 2099-12-31 (1899-12-30).
inline constexpr TDate InvalidDate = 0;
// The years a date field can hold.
inline constexpr int FirstDateYear = 1904;
inline constexpr int LastDateYear = 2099;
// 1904-01-01, the first date a field can hold: the day numbers before it are the markers of an
// empty or unreadable field.
inline constexpr TDate FirstDate = 1462;

// Whether the day number is a date a field held, and not the marker of an empty or unreadable
// one.
inline constexpr bool IsShownDate(TDate date) {
  return date >= FirstDate;
}

struct TYmd {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Whether year 1-9999, month 1-12 and the day exist in that month.
bool IsValidDate(int year, int month, int day);

// Throws std::invalid_argument("Invalid argument to date encode") for a date that does not
// exist.
TDate EncodeDate(int year, int month, int day);
TYmd DecodeDate(TDate date);

// "yyyy" the four-digit year, "yy" its last two digits, "mm" and "dd" the two-digit month and
// day; every other character stands for itself.
std::string FormatDate(std::string_view pattern, TDate date);
