#include "app/DecimalSeparator.h"
#include "app/Desktop.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

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
