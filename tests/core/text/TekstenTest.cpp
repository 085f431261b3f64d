#include "core/text/Teksten.h"

#include <gtest/gtest.h>

namespace {

TEST(RunEndText, NamesWhatWasMadeThenWhatWasRefused) {
  const struct {
    std::size_t made, refused;
    const char* want;
  } cases[] = {
      {0, 0, "Geen rapporten."},
      {1, 0, "1 rapport in OutBox"},
      {6, 0, "6 rapporten in OutBox"},
      {6, 1, "6 rapporten in OutBox; 1 bestand geweigerd"},
      {1, 3, "1 rapport in OutBox; 3 bestanden geweigerd"},
      {0, 2, "Geen rapporten; 2 bestanden geweigerd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(RunEndText(c.made, c.refused, "OutBox"), c.want);
  }
}

TEST(ToernooiTeGrootText, NamesOneRoundInTheSingular) {
  EXPECT_EQ(ToernooiTeGrootText(40, 1), "Het toernooi is te groot (40 spelers in 1 ronde");
  EXPECT_EQ(ToernooiTeGrootText(40, 7), "Het toernooi is te groot (40 spelers in 7 ronden");
}


// A refusal of several lines is one line on standard error and in the error list alike.
TEST(OneLine, JoinsLinesWithOneBlank) {
  const struct {
    const char* Lines;
    const char* Want;
  } cases[] = {
      {"Wordt reeds gebruikt.\rGeen bestand gemaakt.",
       "Wordt reeds gebruikt. Geen bestand gemaakt."},
      {"Kan niet gemaakt worden...\rDe schijf is vol.",
       "Kan niet gemaakt worden... De schijf is vol."},
      {"een \rtwee", "een twee"},
      {"\reen", "een"},
      {"een\r\rtwee", "een twee"},
      {"geen regels", "geen regels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Lines);
    EXPECT_EQ(OneLine(c.Lines), c.Want);
  }
}

} // namespace
