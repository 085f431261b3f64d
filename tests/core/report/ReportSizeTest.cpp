#include "core/report/ReportSize.h"

#include "core/report/ToernooiGrid.h"
#include "support/LoadRun.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Two rounds of 100 002 players: each plays the player 50 001 places on in the first round and
// the one as far from the end as it is from the start in the second, so that the cells of both
// rounds hold opponents of five and six digits.
std::string SixDigitOpponents() {
  constexpr int Spelers = 100002;
  const auto side = [](int id) {
    const std::string nr = std::to_string(id);
    return std::to_string(id) + ";" + std::string(6 - nr.size(), '0') + nr + ", Sp";
  };
  std::string csv;
  for (int k = 1; k <= Spelers / 2; ++k) {
    for (const auto& [ronde, zwart] :
         {std::pair{1, k + Spelers / 2}, std::pair{2, Spelers + 1 - k}}) {
      const std::string wit = side(k);
      const std::string tegen = side(zwart);
      csv += "900;" + std::to_string(ronde) + ";14-11-2009;" + std::to_string(k) + ";" +
             std::to_string(zwart) + ";3;" + wit.substr(wit.find(';') + 1) + ";" +
             tegen.substr(tegen.find(';') + 1) + ";;\r\n";
    }
  }
  // A record the reader does not use gives the file the size that such a tournament may take.
  return csv + "999;" + std::string(std::size_t{8} << 20, 'x') + "\r\n";
}

// The figure is never below the report made, and only a little above it: every line counts,
// with and without players, with rejected rounds, with names that run on and with opponents of
// more digits than a round's field is wide.
TEST(ReportSize, CountsEveryLineOfTheReport) {
  std::string rejectedRondes;
  for (int r = 2; r <= 300; ++r) rejectedRondes += "900;" + std::to_string(r) + "\r\n";
  const std::string game = "900;1;14-11-2009;1;1;1;Ab, Cd;Ab, Cd;;\r\n";
  const std::string longNames =
      "900;1;14-11-2009;1;2;1;" + std::string(200, 'W') + ";" + std::string(90, 'Z') + ";;\r\n";
  const struct {
    const char* Name;
    std::string Csv;
    // How far above the report the figure may be.
    std::uintmax_t Slack = 200;
  } cases[] = {
      {"empty tournament", "012;Leeg toernooi\r\n"},
      {"rejected rounds without players", "012;" + std::string(40, 'N') + "\r\n" + rejectedRondes},
      {"one game against oneself and rejected rounds", game + rejectedRondes},
      {"names that run on", longNames + "102;" + std::string(500, 'I') + "\r\n"},
      // Counted as if every player's last cell ran two past the line.
      {"opponents of six digits", SixDigitOpponents(), 2 * 100002 + 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TLoadRun run;
    run.Toernooi.FillInputGrid = false;
    run.Toernooi.LoadBytes("t.csv", c.Csv, run.InputGrid, false);
    TCellTable grid(5, 5, 1, 1);
    FillToernooiGrid(run.Toernooi, grid);
    std::uintmax_t made = 0;
    for (const std::string& line : run.Toernooi.ReportLines) made += line.size() + 2;
    const std::uintmax_t counted = ReportSize(run.Toernooi);
    EXPECT_GE(counted, made);
    EXPECT_LE(counted, made + c.Slack);
  }
}

} // namespace
