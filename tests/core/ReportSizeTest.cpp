#include "core/ReportSize.h"

#include "core/ToernooiGrid.h"
#include "support/LoadRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The figure is never below the report made, and only a little above it: every line counts,
// with and without players, with rejected rounds and with names that run on.
TEST(ReportSize, CountsEveryLineOfTheReport) {
  std::string rejectedRondes;
  for (int r = 2; r <= 300; ++r) rejectedRondes += "900;" + std::to_string(r) + "\r\n";
  const std::string game = "900;1;14-11-2009;1;1;1;Ab, Cd;Ab, Cd;;\r\n";
  const std::string longNames =
      "900;1;14-11-2009;1;2;1;" + std::string(200, 'W') + ";" + std::string(90, 'Z') + ";;\r\n";
  const struct {
    const char* Name;
    std::string Csv;
  } cases[] = {
      {"empty tournament", "012;Leeg toernooi\r\n"},
      {"rejected rounds without players", "012;" + std::string(40, 'N') + "\r\n" + rejectedRondes},
      {"one game against oneself and rejected rounds", game + rejectedRondes},
      {"names that run on", longNames + "102;" + std::string(500, 'I') + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TLoadRun run;
    run.Toernooi.LoadBytes("t.csv", c.Csv, run.InputGrid, false);
    TCellTable grid(5, 5, 1, 1);
    FillToernooiGrid(run.Toernooi, grid);
    std::uintmax_t made = 0;
    for (const std::string& line : run.Toernooi.ReportLines) made += line.size() + 2;
    const std::uintmax_t counted = ReportSize(run.Toernooi);
    EXPECT_GE(counted, made);
    EXPECT_LE(counted, made + 200);
  }
}

} // namespace
