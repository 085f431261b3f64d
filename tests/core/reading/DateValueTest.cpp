#include "core/reading/DateValue.h"
#include "support/ThrownMessage.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace {

struct DayCase {
  int year, month, day;
  TDate number;
};

// Day numbers worked out independently of the code under test.
constexpr DayCase KnownDays[] = {
    {1899, 12, 30, 0},       {1899, 12, 29, -1},  {1900, 1, 1, 2},      {1904, 1, 1, 1462},
    {2000, 1, 1, 36526},     {2005, 1, 1, 38353}, {2008, 2, 29, 39507}, {2008, 3, 15, 39522},
    {2099, 12, 31, 73050},   {2100, 1, 1, 73051}, {1, 1, 1, -693593},   {1600, 2, 29, -109512},
    {9999, 12, 31, 2958465},
};

TEST(EncodeDate, GivesDaysSince30December1899) {
  for (const auto& c : KnownDays) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.number);
  }
}

// The first date a field holds is the first day of its first year.
TEST(FirstDate, IsTheFirstDayOfTheFirstYear) {
  EXPECT_EQ(EncodeDate(FirstDateYear, 1, 1), FirstDate);
  EXPECT_TRUE(IsShownDate(FirstDate));
  EXPECT_FALSE(IsShownDate(FirstDate - 1));
  EXPECT_FALSE(IsShownDate(NoDate));
}

TEST(DecodeDate, GivesTheCalendarDateOfADayNumber) {
  for (const auto& c : KnownDays) {
    SCOPED_TRACE(c.number);
    const TYmd ymd = DecodeDate(c.number);
    EXPECT_EQ(ymd.Year, c.year);
    EXPECT_EQ(ymd.Month, c.month);
    EXPECT_EQ(ymd.Day, c.day);
  }
}

TEST(DecodeDate, StepsOneCalendarDayPerDayNumber) {
  // Walks 1897-1920 and 1995-2105 and checks each day against the one before it, so a wrong
  // month length or leap rule anywhere in the walk shows up.
  for (const auto& [first, last] : {std::pair{-1000, 7500}, std::pair{34700, 75000}}) {
    TYmd prev = DecodeDate(first);
    for (int n = first + 1; n <= last; ++n) {
      const TYmd ymd = DecodeDate(n);
      const bool nextDay =
          ymd.Year == prev.Year && ymd.Month == prev.Month && ymd.Day == prev.Day + 1;
      const bool nextMonth = ymd.Year == prev.Year && ymd.Month == prev.Month + 1 && ymd.Day == 1 &&
                             prev.Day == DaysInMonth(prev.Year, prev.Month);
      const bool nextYear = ymd.Year == prev.Year + 1 && ymd.Month == 1 && ymd.Day == 1 &&
                            prev.Month == 12 && prev.Day == 31;
      ASSERT_TRUE(nextDay || nextMonth || nextYear) << "day number " << n;
      ASSERT_EQ(EncodeDate(ymd.Year, ymd.Month, ymd.Day), n);
      prev = ymd;
    }
  }
}

TEST(EncodeDate, RefusesDatesThatDoNotExist) {
  const DayCase bad[] = {{2008, 4, 31, 0}, {2008, 2, 30, 0}, {2007, 2, 29, 0}, {1900, 2, 29, 0},
                         {2100, 2, 29, 0}, {2008, 1, 0, 0},  {2008, 1, 32, 0}, {2008, 0, 1, 0},
                         {2008, 13, 1, 0}, {0, 1, 1, 0},     {10000, 1, 1, 0}, {-5, 1, 1, 0}};
  for (const auto& c : bad) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    EXPECT_FALSE(IsValidDate(c.year, c.month, c.day));
    EXPECT_EQ(ThrownMessage<std::invalid_argument>([&] { EncodeDate(c.year, c.month, c.day); }),
              "Invalid argument to date encode");
  }
}

TEST(IsLeapYear, FollowsTheGregorianRule) {
  const struct {
    int year;
    bool leap;
  } cases[] = {{2008, true},  {2007, false}, {2000, true}, {1900, false},
               {2100, false}, {1600, true},  {1904, true}, {2099, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.year);
    EXPECT_EQ(IsLeapYear(c.year), c.leap);
    EXPECT_EQ(DaysInMonth(c.year, 2), c.leap ? 29 : 28);
  }
}

TEST(FormatDate, FillsYearMonthAndDayIntoThePattern) {
  const struct {
    const char* pattern;
    TDate date;
    const char* want;
  } cases[] = {
      {"yyyy-mm-dd", 36526, "2000-01-01"},   {"yy-mm-dd", 0, "99-12-30"},
      {"yy.mm.dd", 39522, "08.03.15"},       {"dd/mm/yyyy", 39507, "29/02/2008"},
      {"yyyymmdd", 73050, "20991231"},       {"Date: yyyy, m d", 2, "Date: 1900, m d"},
      {"yyyy-mm-dd", -693593, "0001-01-01"}, {"", 36526, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FormatDate(c.pattern, c.date), c.want);
  }
}

} // namespace
