#include "app/DecimalSeparator.h"
#include "app/Desktop.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

TEST(ErrorBoxText, AppendsFullStopOnlyAfterCharactersSortingAfterIt) {
  const struct {
    const char* text;
    const char* want;
  } cases[] = {
      {"Cannot create file /x/a.txt", "Cannot create file /x/a.txt."},
      {"Invalid argument to date encode", "Invalid argument to date encode."},
      {"Unable to write to /x/Morvelander.ini", "Unable to write to /x/Morvelander.ini."},
      {"Ends in a digit 7", "Ends in a digit 7."},
      {"Ends in a slash /", "Ends in a slash /."},
      {"Already ended.", "Already ended."},
      {"Ends in a hyphen -", "Ends in a hyphen -"},
      {"Ends in a blank ", "Ends in a blank "},
      {"Asks ?", "Asks ?."},
      {"Ends in e acute \xE9", "Ends in e acute \xE9."},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ErrorBoxText(c.text), c.want);
  }
}

TEST(ProgramTitle, CutsAtFirstDotAndLowersEveryLetterAfterTheFirst) {
  const struct {
    const char* exe;
    const char* want;
  } cases[] = {
      {"/opt/morvelander/Morvelander", "Morvelander"},
      {"/opt/MORVELANDER.EXE", "Morvelander"},
      {"/opt/mORVELANDER", "morvelander"},
      {"/opt/Morvelander.v2.exe", "Morvelander"},
      {"/opt/\xC3\x89LAN\xC3\x89.exe", "\xC9lan\xE9"}, // UTF-8 file name, cp1252 title
      {"Relative", "Relative"},
      {"/opt/X", "X"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exe);
    EXPECT_EQ(ProgramTitle(c.exe), c.want);
  }
}

TEST(UserDecimalSeparator, ReadsTheLocaleAndLeavesNumbersInTheCLocale) {
  ASSERT_EQ(::setenv("LC_ALL", "C.UTF-8", 1), 0);
  EXPECT_EQ(UserDecimalSeparator(), '.');
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  ::unsetenv("LC_ALL");
}

} // namespace
