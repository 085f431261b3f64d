#include "core/report/Report.h"
#include "core/reading/DateValue.h"
#include "core/report/ReportFile.h"
#include "core/report/ToernooiGrid.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/Stand.h"
#include "core/tournament/Toernooi.h"
#include "support/LoadRun.h"
#include "support/SameBytes.h"
#include "support/TempDir.h"
#include "table/CellTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string FirstRuler = "--- 567890123456789012345678901234567890123456789012345678901234567"
                               "8901234567890123456789";
const std::string SecondRuler = "--- SSSS sTTT NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN RRRR FFF "
                                "IIIIIIIIIII BBBB/BB/BB PPPP RRRR";

TEST(TReportLine, AlignsTheNameLeftAndEveryOtherFieldRight) {
  struct {
    const char* name;
    std::string line;
    std::string cell;
    int index;
    std::string want;
  } cases[] = {
      {"first field into an empty line", "", "001", 0, "001"},
      {"rank ends at its end position", "001", "1", 1, "001    1"},
      {"name fills its column to the right", "001    1  ", "Ab, Cd", 4,
       "001    1      Ab, Cd                           "},
      {"blanks of an empty field go before the next", "001    1" + std::string(39, ' '), "NED", 6,
       "001    1" + std::string(45, ' ') + "NED"},
      {"blanks and control characters at the line's end go first", "001 \t\r  ", "1", 1,
       "001    1"},
      {"cell text is trimmed", "001", " \t12\r\n", 1, "001   12"},
      {"bytes above 127 are not blanks", "001", "\xA0", 1, "001    \xA0"},
      {"a long text runs on", "001", "123456", 1, "001 123456"},
      {"a passed start position adds nothing", "001 123456", "", 2, "001 123456"},
      {"a passed start position starts directly behind", std::string(54, 'x'), "NED", 6,
       std::string(54, 'x') + "NED"},
      {"empty round cell keeps its column", std::string(99, 'x'), "", 12,
       std::string(99, 'x') + std::string(10, ' ')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TReportLine line(c.line);
    line.AppendField(c.cell, ReportColumnAt(c.index));
    EXPECT_EQ(line.Text(), c.want);
  }
  // The blanks of empty cells stand until text follows them.
  TReportLine line(std::string(89, 'x'));
  line.AppendField("", ReportColumnAt(11));
  EXPECT_EQ(line.Text(), std::string(89, 'x') + std::string(10, ' '));
  line.AppendField("1 w 1", ReportColumnAt(12));
  EXPECT_EQ(line.Text(), std::string(89, 'x') + std::string(15, ' ') + "1 w 1");
}

class BuildReportTest : public ::testing::Test {
protected:
  void SetRondes(const std::vector<std::int32_t>& nrs) {
    for (const std::int32_t nr : nrs) toernooi.Rondes.push_back({nr, EncodeDate(2009, 11, 8), 1});
  }
  void Build() {
    const TStand stand(toernooi);
    BuildReport(toernooi, stand);
  }
  void AddSpeler(std::int32_t idNr, const std::string& naam) {
    toernooi.Spelers.Add(naam, std::make_unique<TSp>(idNr, 0, naam, NoDate));
  }
  // The lines after the round-date line up to the blank line before the footer.
  std::vector<std::string> PlayerLines() const {
    const auto& lines = toernooi.ReportLines;
    return {lines.begin() + 12, lines.end() - 2};
  }

  TCellTable errors;
  TFouten fouten{errors};
  TCoreUI ui;
  TToernooi toernooi{fouten, ui};
};

TEST_F(BuildReportTest, WithoutPlayersAndRoundsHasOnlyHeaderRulersAndFooter) {
  toernooi.Rec.Naam = "Open Jeugd";
  toernooi.Rec.Plaats = "Zwolle";
  toernooi.Rec.Federatie = "BEL";
  toernooi.Rec.Inzender = "Ab Cd";
  toernooi.Rec.Speeltempo = "90 min";
  toernooi.Rec.StartDatum = EncodeDate(2009, 10, 3);
  toernooi.Rec.EindDatum = EncodeDate(2009, 10, 10);
  Build();

  const std::vector<std::string> want = {"012 Open Jeugd",
                                         "022 Zwolle",
                                         "032 NED",
                                         "042 2009-10-03",
                                         "052 2009-10-10",
                                         "062 0",
                                         "102 Ab Cd",
                                         "122 90 min",
                                         "",
                                         FirstRuler,
                                         SecondRuler,
                                         "132" + std::string(88, ' '),
                                         "",
                                         "--- Morvelander v0.1 (2009-11-08)"};
  EXPECT_EQ(toernooi.ReportLines, want);
  EXPECT_EQ(FirstRuler.size(), 89u);
  EXPECT_EQ(SecondRuler.size(), 89u);
}

TEST_F(BuildReportTest, CountsPlayersAndLeavesMissingTextsEmpty) {
  AddSpeler(1, "Ab, Cd");
  AddSpeler(2, "Ef, Gh");
  AddSpeler(3, "Ij, Kl");
  Build();
  const auto& lines = toernooi.ReportLines;
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "012 ");
  EXPECT_EQ(lines[1], "022 ");
  EXPECT_EQ(lines[5], "062 3");
  EXPECT_EQ(lines[6], "102 ");
  EXPECT_EQ(lines[7], "122 ");
}

TEST_F(BuildReportTest, HeaderDatesBefore2000AreWrittenAsMissing) {
  struct {
    const char* name;
    TDate date;
    const char* start;
    const char* eind;
  } cases[] = {
      {"2003-02-01", EncodeDate(2003, 2, 1), "042 2003-02-01", "052 2003-02-01"},
      {"2000-01-01", EncodeDate(2000, 1, 1), "042 2000-01-01", "052 2000-01-01"},
      {"1999-12-31", EncodeDate(1999, 12, 31), "042 yyyy-mm-dd (Geen startdatum)",
       "052 yyyy-mm-dd (Geen einddatum)"},
      {"NoDate", NoDate, "042 yyyy-mm-dd (Geen startdatum)", "052 yyyy-mm-dd (Geen einddatum)"},
      {"InvalidDate", InvalidDate, "042 yyyy-mm-dd (Geen startdatum)",
       "052 yyyy-mm-dd (Geen einddatum)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    toernooi.Rec.StartDatum = c.date;
    toernooi.Rec.EindDatum = c.date;
    Build();
    ASSERT_GE(toernooi.ReportLines.size(), 5u);
    EXPECT_EQ(toernooi.ReportLines[3], c.start);
    EXPECT_EQ(toernooi.ReportLines[4], c.eind);
  }
}

TEST_F(BuildReportTest, RulersGetOneGroupPerRoundInFirstOccurrenceOrder) {
  struct {
    const char* name;
    std::vector<std::int32_t> rondes;
    std::string groups;
  } cases[] = {
      {"1, 2, 12", {1, 2, 12}, "  1111 1 1  2222 2 2  2222 2 2"},
      {"later rounds first", {3, 1}, "  3333 3 3  1111 1 1"},
      {"0, 10 and 20 end in 0", {0, 10, 20}, "  0000 0 0  0000 0 0  0000 0 0"},
      {"negative stays ones", {-3}, "  1111 1 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    toernooi.Rondes.clear();
    SetRondes(c.rondes);
    Build();
    std::string digits;
    for (std::size_t k = 0; k < c.rondes.size(); ++k) digits += "0123456789";
    EXPECT_EQ(toernooi.ReportLines[9], FirstRuler + digits);
    EXPECT_EQ(toernooi.ReportLines[10], SecondRuler + c.groups);
  }
}

TEST_F(BuildReportTest, RoundDateLineUsesFullStopsInTenCharacterColumns) {
  toernooi.Rondes = {{1, EncodeDate(2009, 11, 8), 5}, {2, NoDate, 6}, {3, InvalidDate, 7}};
  Build();
  EXPECT_EQ(toernooi.ReportLines[11],
            "132" + std::string(88, ' ') + "09.11.08  " + "00.01.01  " + "99.12.30  ");
}

TEST_F(BuildReportTest, WritesOneLinePerPlayerInStartOrder) {
  AddSpeler(1, "Ab, Cd");
  AddSpeler(7000002, "Ef, Gh");
  AddSpeler(3, "Ij, Kl");
  Build();
  EXPECT_EQ(PlayerLines(), (std::vector<std::string>{
                               "001    1      Ab, Cd                                 NED           "
                               "              0.0    1",
                               "001    2      Ef, Gh                                 NED     "
                               "7000002             0.0    2",
                               "001    3      Ij, Kl                                 NED           "
                               "              0.0    3",
                           }));
}

TEST(TReportLine, PlayerLinesKeepFixedPositions) {
  const std::vector<std::string> ab = {"001", "1",       "",           "",    "Ab, Cd", "",
                                       "NED", "7000001", "2001-05-17", "1.0", "1"};
  const std::string name40 = "Abcdefghijklmnopqrstuvwxyzabcdefghijklmn";
  struct {
    const char* name;
    std::vector<std::string> cells;
    std::vector<std::int32_t> rondes;
    std::string want;
  } cases[] = {
      {"no rounds: 89 characters",
       ab,
       {},
       "001    1      Ab, Cd                                 NED     7000001 2001-05-17  1.0    1"},
      {"missed the last round: runs to its end",
       [&] {
         auto cells = ab;
         cells.insert(cells.end(), {"2 w 1", ""});
         return cells;
       }(),
       {1, 2},
       "001    1      Ab, Cd                                 NED     7000001 2001-05-17  1.0    1"
       "     2 w 1          "},
      {"40-character name: federation follows directly",
       [&] {
         auto cells = ab;
         cells[4] = name40;
         return cells;
       }(),
       {},
       "001    1      AbcdefghijklmnopqrstuvwxyzabcdefghijklmnNED    7000001 2001-05-17  1.0    1"},
      {"five-character points run into the blank before the rank",
       [&] {
         auto cells = ab;
         cells[9] = "100.0";
         return cells;
       }(),
       {},
       "001    1      Ab, Cd                                 NED     7000001 2001-05-17 100.0   1"},
      {"long rank runs on, later fields keep their place",
       [&] {
         auto cells = ab;
         cells[1] = "12345";
         cells[10] = "12345";
         return cells;
       }(),
       {},
       "001 12345     Ab, Cd                                 NED     7000001 2001-05-17  1.0 "
       "12345"},
      {"only the first cell", {"001"}, {7}, "001" + std::string(96, ' ')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TReportLine line;
    const std::size_t colCount = FixedReportColumns.size() + c.rondes.size();
    for (std::size_t col = 0; col < colCount; ++col)
      line.AppendField(col < c.cells.size() ? c.cells[col] : std::string(),
                       ReportColumnAt(static_cast<int>(col)));
    EXPECT_EQ(line.Text(), c.want);
  }
}

TEST_F(BuildReportTest, FooterAndNothingElseFollowTheDecimalSeparator) {
  struct {
    char separator;
    const char* footer;
  } cases[] = {{'.', "--- Morvelander v0.1 (2009-11-08)"},
               {',', "--- Morvelander v0,1 (2009-11-08)"}};
  AddSpeler(1, "Ab, Cd");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.footer);
    toernooi.DecimalSeparator = c.separator;
    Build();
    EXPECT_EQ(toernooi.ReportLines.back(), c.footer);
    EXPECT_EQ(PlayerLines().at(0).substr(80, 4), std::string(" 0") + c.separator + "0");
  }
}

TEST(GoldenReport, VoorbeeldIsWrittenByteForByte) {
  const std::filesystem::path data = MORVELANDER_TEST_DATA;
  const TTempDir dir;
  TLoadRun run;
  TCellTable table;
  run.Load(data / "Voorbeeld.csv");
  FillToernooiGrid(run.Toernooi, table);
  const std::filesystem::path target = dir / ReportFileName("Voorbeeld.csv");
  WriteReportFile(target, run.Toernooi.ReportLines);

  EXPECT_TRUE(SameBytes(ReadFileBytes(target), ReadFileBytes(data / "Voorbeeld.expected.txt")));
}

} // namespace
