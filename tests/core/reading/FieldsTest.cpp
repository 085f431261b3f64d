#include "core/reading/Fields.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A date value as text, so that failures read as dates.
std::string Show(TDate date) {
  if (date == NoDate) return "NoDate";
  if (date == InvalidDate) return "InvalidDate";
  return FormatDate("yyyy-mm-dd", date);
}

TEST(Trim, RemovesCodes32AndBelowOnly) {
  const struct {
    const char* text;
    const char* both;
    const char* left;
    const char* right;
  } cases[] = {
      {"  a b \t\r\n", "a b", "a b \t\r\n", "  a b"},
      {"\x01x\x1f", "x", "x\x1f", "\x01x"},
      {"\xa0x\xa0", "\xa0x\xa0", "\xa0x\xa0", "\xa0x\xa0"},
      {"\x80\xff", "\x80\xff", "\x80\xff", "\x80\xff"},
      {" \t\n ", "", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Trim(c.text), c.both);
    EXPECT_EQ(TrimLeft(c.text), c.left);
    EXPECT_EQ(TrimRight(c.text), c.right);
  }
}

TEST(CutTabField, TakesTheFieldAndItsTabFromTheFront) {
  const struct {
    const char* line;
    const char* field;
    const char* rest;
  } cases[] = {
      {"a\tb\t", "a", "b\t"}, {"\tb\t", "", "b\t"}, {"abc", "", "abc"},
      {"", "", ""},           {" x \t", " x ", ""}, {"\t", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string_view line = c.line;
    EXPECT_EQ(CutTabField(line), c.field);
    EXPECT_EQ(line, c.rest);
  }
}

TEST(CutTabField, CutsEveryFieldOfAHugeLine) {
  std::string line;
  for (int i = 0; i < 200000; ++i) line += std::to_string(i % 10) + "\t";
  std::string_view rest = line;
  EXPECT_EQ(TabCount(rest), 200000);
  int fields = 0;
  int sum = 0;
  while (!rest.empty()) {
    sum += ReadIntField(rest);
    ++fields;
  }
  EXPECT_EQ(fields, 200000);
  EXPECT_EQ(sum, 900000);
}

TEST(TabCount, CountsTabsOnly) {
  EXPECT_EQ(TabCount(""), 0);
  EXPECT_EQ(TabCount("a b\r\n"), 0);
  EXPECT_EQ(TabCount("\ta\t\tb\t"), 4);
}

TEST(ParseInteger, ReadsDecimalAndHexadecimalIn32Bits) {
  const struct {
    const char* text;
    std::int32_t want;
  } cases[] = {{"0", 0},
               {"012", 12},
               {"   7", 7},
               {"+7", 7},
               {"-7", -7},
               {"-0", 0},
               {"2147483647", 2147483647},
               {"-2147483648", -2147483647 - 1},
               {"00000000000000000000012", 12},
               {"$1F", 31},
               {"x1f", 31},
               {"X1F", 31},
               {"0x1F", 31},
               {"0X1f", 31},
               {"   $10", 16},
               {"$7FFFFFFF", 2147483647},
               {"$80000000", -2147483647 - 1},
               {"$FFFFFFFF", -1},
               {"$0FFFFFFFF", -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseInteger(c.text), c.want);
  }
}

TEST(ParseInteger, RefusesAnythingElse) {
  for (const char* text : {"",           "   ",         "7 ",
                           "\t7",        "-",           "+",
                           "- 7",        "--7",         "$",
                           "0x",         "-$5",         "+0x5",
                           "$G",         "1.5",         "1e3",
                           "abc",        "2147483648",  "-2147483649",
                           "4294967296", "21474836470", "99999999999999999999",
                           "$100000000", "$1FFFFFFFF"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseInteger(text), std::nullopt);
  }
}

TEST(ReadIntField, ReducesLeadingZerosAndGivesZeroWhenUnreadable) {
  const struct {
    const char* field;
    std::int32_t want;
  } cases[] = {{"012", 12},
               {"0012", 12},
               {"00x1F", 31},
               {"000", 0},
               {"00", 0},
               {"000x", 0},
               {" 7", 7},
               {"7 ", 0},
               {"", 0},
               {"-$5", 0},
               {"1.5", 0},
               {"2147483648", 0},
               {"$FFFFFFFF", -1},
               {"-2147483648", -2147483647 - 1},
               {"0000000000000000000002147483647", 2147483647}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    const std::string line = std::string(c.field) + "\tnext\t";
    std::string_view rest = line;
    EXPECT_EQ(ReadIntField(rest), c.want);
    EXPECT_EQ(rest, "next\t");
  }
}

TEST(ReadIntField, GivesZeroAndLeavesALineWithoutTab) {
  std::string_view line = "42";
  EXPECT_EQ(ReadIntField(line), 0);
  EXPECT_EQ(line, "42");
}

TEST(ReadIntField, ReadsHugeFields) {
  const std::string zeros(1 << 20, '0');
  const struct {
    std::string field;
    std::int32_t want;
  } cases[] = {{zeros + "7", 7}, {zeros, 0}, {std::string(1 << 20, '1'), 0}, {zeros + "x1F", 31}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field.substr(c.field.size() - 4));
    const std::string line = c.field + "\t";
    std::string_view rest = line;
    EXPECT_EQ(ReadIntField(rest), c.want);
    EXPECT_TRUE(rest.empty());
  }
}

TEST(ReadDateField, ReadsYearMonthDayInAnyOfThreeSeparators) {
  const struct {
    const char* field;
    const char* want;
  } cases[] = {
      {"2008-03-15", "2008-03-15"},
      {"2008.3.15", "2008-03-15"},
      {"2008/3/15", "2008-03-15"},
      {"2008-3/15", "2008-03-15"},
      {"5-3-8", "2005-03-08"},
      {"0-1-1", "2000-01-01"},
      {"9-12-31", "2009-12-31"},
      {"$7D8-3-15", "2008-03-15"},
      {"2008-03-15-99", "2008-03-15"},
      {"1904-01-01", "1904-01-01"},
      {"2099-12-31", "2099-12-31"},
      {"29-02-2008", "2008-02-29"},
      {"29-02-2000", "2000-02-29"},
      // Out of range or not a date
      {"1903-12-31", "InvalidDate"},
      {"2100-01-01", "InvalidDate"},
      {"10-1-1", "InvalidDate"},
      {"99-1-1", "InvalidDate"},
      {"2008-03", "InvalidDate"},
      {"2008", "InvalidDate"},
      {"2008-03-15 ", "InvalidDate"},
      {"2008-00-15", "InvalidDate"},
      {"2008-13-15", "InvalidDate"},
      {"2008-03-32", "InvalidDate"},
      {"15 maart 2008", "InvalidDate"},
      {"99999999999-1-1", "InvalidDate"},
      {"020080-1-1", "InvalidDate"},
      {"00002008-1-1", "2008-01-01"},
      {"-", "InvalidDate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    const std::string line = std::string(c.field) + "\tnext\t";
    std::string_view rest = line;
    EXPECT_EQ(Show(ReadDateField(rest)), c.want);
    EXPECT_EQ(rest, "next\t");
  }
}

TEST(ReadDateField, SwapsDayFirstDates) {
  const struct {
    const char* field;
    const char* want;
  } cases[] = {
      {"15-03-2008", "2008-03-15"},
      {"15.3.2008", "2008-03-15"},
      {"15/3/2008", "2008-03-15"},
      {"15-06-1999", "1999-06-15"},
      {"01-01-1904", "1904-01-01"},
      {"31-12-2000", "2000-12-31"},
      {"31-12-2099", "2099-12-31"},
      {"1-1-2000", "2000-01-01"},
      // Not swapped: a day part below 1904 or a first part that is not a day
      {"31-12-1903", "InvalidDate"},
      {"15-03-08", "InvalidDate"},
      {"1-1-99", "InvalidDate"},
      {"32-01-2008", "InvalidDate"},
      {"0-01-2008", "InvalidDate"},
      {"01-01-2100", "InvalidDate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    const std::string line = std::string(c.field) + "\t";
    std::string_view rest = line;
    EXPECT_EQ(Show(ReadDateField(rest)), c.want);
  }
}

TEST(ReadDateField, GivesInvalidDateForDaysTheMonthLacks) {
  for (const char* field : {"31-04-2008", "30-02-2008", "29-02-2007", "2008-04-31", "29-02-2100",
                            "31-11-1999", "2001-02-29"}) {
    SCOPED_TRACE(field);
    const std::string line = std::string(field) + "\t";
    std::string_view rest = line;
    EXPECT_EQ(Show(ReadDateField(rest)), "InvalidDate");
  }
}

TEST(ReadDateField, TakesTheNextNonEmptyFieldAfterBlanksAndTabs) {
  const struct {
    const char* line;
    const char* want;
    const char* rest;
  } cases[] = {
      {"\t", "NoDate", ""},
      {" \t \t\r", "NoDate", ""},
      {"", "NoDate", ""},
      {"2008-03-15", "NoDate", "2008-03-15"},
      {"\t15-03-2008\tx\t", "2008-03-15", "x\t"},
      {"  \t 15-03-2008\t", "2008-03-15", ""},
      {"\tPiet\t15-03-2008\t", "InvalidDate", "15-03-2008\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::string_view rest = c.line;
    EXPECT_EQ(Show(ReadDateField(rest)), c.want);
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(ReadDateField, GivesInvalidDateForAHugeField) {
  const std::string line = "2008-03-" + std::string(1 << 20, '1') + "\t";
  std::string_view rest = line;
  EXPECT_EQ(Show(ReadDateField(rest)), "InvalidDate");
  EXPECT_TRUE(rest.empty());
}

} // namespace
