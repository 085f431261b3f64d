#include "core/text/ErrorBoxText.h"

#include <gtest/gtest.h>

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

} // namespace
