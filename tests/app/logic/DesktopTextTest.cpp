#include "app/logic/Desktop.h"

#include <gtest/gtest.h>

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

} // namespace
