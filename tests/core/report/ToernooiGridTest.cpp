#include "core/report/ToernooiGrid.h"
#include "core/reading/DateValue.h"
#include "core/report/Report.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/Toernooi.h"
#include "support/LoadRun.h"
#include "support/SparseRondes.h"
#include "table/CellTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RowTexts(const TCellTable& grid, int row) {
  std::vector<std::string> texts;
  for (int col = 0; col < grid.ColCount(); ++col) texts.emplace_back(grid.GetCell(col, row));
  return texts;
}

class FillToernooiGridTest : public ::testing::Test {
protected:
  void AddRonde(std::int32_t rondeNr, TDate datum) {
    const bool known = std::any_of(toernooi.Rondes.begin(), toernooi.Rondes.end(),
                                   [&](const TRondeRec& r) { return r.RondeNr == rondeNr; });
    if (!known) toernooi.Rondes.push_back({rondeNr, datum, 1});
  }
  void AddGame(std::int32_t rondeNr, std::int32_t wit, std::int32_t zwart, std::int32_t uitslag,
               const std::string& witNaam, const std::string& zwartNaam, TDate witGeb = NoDate,
               TDate zwartGeb = NoDate) {
    TGameRec rec;
    rec.RegelNr = toernooi.Games.Count() + 1;
    rec.RondeNr = rondeNr;
    rec.RondeDatum = EncodeDate(2009, 10, rondeNr % 28 + 1);
    rec.WitIdNr = wit;
    rec.ZwartIdNr = zwart;
    rec.Uitslag = uitslag;
    rec.WitNaam = witNaam;
    rec.ZwartNaam = zwartNaam;
    rec.WitGebDatum = witGeb;
    rec.ZwartGebDatum = zwartGeb;
    AddRonde(rondeNr, rec.RondeDatum);
    toernooi.Games.Add(rec);
  }
  void Fill() {
    toernooi.BuildSpelers();
    EXPECT_EQ(FillToernooiGrid(toernooi, grid), "");
  }

  TCellTable errors;
  TFouten fouten{errors};
  TCoreUI ui;
  TToernooi toernooi{fouten, ui};
  TCellTable grid;
};

TEST_F(FillToernooiGridTest, WithoutPlayersOrRoundsKeepsHeaderAndEmptyDateRow) {
  toernooi.ReportLines = {"old"};
  Fill();
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.ColCount(), 11);
  EXPECT_EQ(RowTexts(grid, 0), (std::vector<std::string>{"", "", "S", "T", "Naam", "Rating", "Fed",
                                                         "Rel.nr", "Geb.", "Pnts", "Rank"}));
  EXPECT_EQ(RowTexts(grid, 1), std::vector<std::string>(11));
  ASSERT_GE(toernooi.ReportLines.size(), 6u);
  EXPECT_EQ(toernooi.ReportLines[5], "062 0");
}

TEST_F(FillToernooiGridTest, WritesOneRowPerStartRankAndTheRoundDates) {
  AddGame(1, 7000001, 1234, 1, "Ab, Cd", "Ef, Gh", EncodeDate(2001, 5, 17));
  AddGame(2, 1234, 7000001, 3, "Ef, Gh", "Ab, Cd");
  Fill();
  ASSERT_EQ(grid.RowCount(), 4);
  ASSERT_EQ(grid.ColCount(), 13);
  EXPECT_EQ(RowTexts(grid, 0),
            (std::vector<std::string>{"", "", "S", "T", "Naam", "Rating", "Fed", "Rel.nr", "Geb.",
                                      "Pnts", "Rank", "r1", "r2"}));
  EXPECT_EQ(RowTexts(grid, 1),
            (std::vector<std::string>{"001", "1", "", "", "Ab, Cd", "", "NED", "7000001",
                                      "2001-05-17", "1.5", "1", "2 w 1", "2 z ="}));
  EXPECT_EQ(RowTexts(grid, 2), (std::vector<std::string>{"001", "2", "", "", "Ef, Gh", "", "NED",
                                                         "", "", "0.5", "2", "1 z 0", "1 w ="}));
  EXPECT_EQ(RowTexts(grid, 3), (std::vector<std::string>{"", "", "", "", "", "", "", "", "", "", "",
                                                         "09-10-02", "09-10-03"}));
}

TEST_F(FillToernooiGridTest, RoundColumnsFollowTheRoundsTableOrder) {
  AddGame(3, 11, 12, 1, "Ab, Cd", "Ef, Gh");
  AddGame(1, 11, 12, 2, "Ab, Cd", "Ef, Gh");
  AddRonde(10, EncodeDate(2009, 11, 8)); // every game of round 10 was rejected
  AddGame(12, 12, 11, 3, "Ef, Gh", "Ab, Cd");
  Fill();
  ASSERT_EQ(grid.ColCount(), 15);
  const std::vector<std::string> headers = {"r3", "r1", "r10", "r12"};
  const std::vector<std::string> dates = {"09-10-04", "09-10-02", "09-11-08", "09-10-13"};
  const std::vector<std::string> first = {"2 w 1", "2 w 0", "", "2 z ="};
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(headers[static_cast<std::size_t>(k)]);
    EXPECT_EQ(grid.GetCell(11 + k, 0), headers[static_cast<std::size_t>(k)]);
    EXPECT_EQ(grid.GetCell(11 + k, 1), first[static_cast<std::size_t>(k)]);
    EXPECT_EQ(grid.GetCell(11 + k, 3), dates[static_cast<std::size_t>(k)]);
  }
  EXPECT_EQ(grid.GetCell(13, 2), "");
}

TEST_F(FillToernooiGridTest, ShowsOnlyFideNumbersAndRealBirthDates) {
  struct {
    const char* name;
    std::int32_t idNr;
    TDate gebDatum;
    const char* idCell;
    const char* gebCell;
  } cases[] = {
      {"4999999 and 1903-12-31", 4999999, EncodeDate(1903, 12, 31), "", ""},
      {"5000000 and 1904-01-01", 5000000, EncodeDate(1904, 1, 1), "5000000", "1904-01-01"},
      {"empty birth date", 5000001, NoDate, "5000001", ""},
      {"unreadable birth date", 1, InvalidDate, "", ""},
      {"2099-12-31", 2147483647, EncodeDate(2099, 12, 31), "2147483647", "2099-12-31"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    toernooi.Clear();
    AddGame(1, c.idNr, 2, 1, "Aa, Bb", "Zz, Yy", c.gebDatum);
    Fill();
    EXPECT_EQ(grid.GetCell(7, 1), c.idCell);
    EXPECT_EQ(grid.GetCell(8, 1), c.gebCell);
  }
}

TEST_F(FillToernooiGridTest, ShowsRatingsFromOneHundred) {
  AddGame(1, 1, 2, 1, "Aa, Bb", "Zz, Yy");
  toernooi.BuildSpelers();
  toernooi.Spelers[0].Rating = 99;
  toernooi.Spelers[1].Rating = 100;
  EXPECT_EQ(FillToernooiGrid(toernooi, grid), "");
  EXPECT_EQ(grid.GetCell(5, 1), "");
  EXPECT_EQ(grid.GetCell(5, 2), "100");
}

TEST_F(FillToernooiGridTest, WritesPointsWithTheDecimalSeparator) {
  struct {
    char separator;
    const char* winner;
    const char* loser;
  } cases[] = {{'.', "2.5", "0.0"}, {',', "2,5", "0,0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.winner);
    toernooi.Clear();
    toernooi.DecimalSeparator = c.separator;
    AddGame(1, 1, 2, 1, "Aa, Bb", "Zz, Yy");
    AddGame(2, 3, 1, 2, "Cc, Dd", "Aa, Bb");
    AddGame(3, 1, 4, 3, "Aa, Bb", "Xx, Ww");
    Fill();
    EXPECT_EQ(grid.GetCell(4, 1), "Aa, Bb");
    EXPECT_EQ(grid.GetCell(9, 1), c.winner);
    EXPECT_EQ(grid.GetCell(4, 2), "Cc, Dd");
    EXPECT_EQ(grid.GetCell(9, 2), c.loser);
  }
}

TEST_F(FillToernooiGridTest, RefillLeavesNothingOfTheTableBefore) {
  AddGame(1, 1, 2, 1, "Aa, Bb", "Bb, Cc");
  AddGame(2, 3, 1, 1, "Cc, Dd", "Aa, Bb");
  Fill();
  ASSERT_EQ(grid.GetCell(4, 3), "Cc, Dd");
  ASSERT_EQ(grid.GetCell(12, 4), "09-10-03");

  toernooi.Clear();
  AddGame(5, 1, 2, 1, "Aa, Bb", "Bb, Cc");
  Fill();
  grid.SetRowCount(5);
  grid.SetColCount(13);
  std::vector<std::string> dateRow(13);
  dateRow[11] = "09-10-06";
  EXPECT_EQ(RowTexts(grid, 3), dateRow);
  EXPECT_EQ(RowTexts(grid, 4), std::vector<std::string>(13));
  EXPECT_EQ(grid.GetCell(12, 1), "");
}

TEST_F(FillToernooiGridTest, ClearingLeavesTwoEmptyRowsAndColumns) {
  AddGame(1, 1, 2, 1, "Aa, Bb", "Bb, Cc");
  Fill();
  ClearToernooiGrid(grid);
  EXPECT_EQ(grid.ColCount(), 2);
  EXPECT_EQ(grid.RowCount(), 2);
  grid.SetRowCount(4);
  grid.SetColCount(12);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(RowTexts(grid, row), std::vector<std::string>(12));
}

TEST_F(FillToernooiGridTest, FitsColumnWidthsToEveryRowWithoutExtra) {
  grid.SetMeasureText(
      [](std::string_view text, TCellFont) { return 7 * static_cast<int>(text.size()); });
  AddGame(1, 1, 2, 1, "Abcdefghij, Klm", "Bb, Cc");
  Fill();
  EXPECT_EQ(grid.ColWidths(0), 3 * 7 + 10);
  EXPECT_EQ(grid.ColWidths(4), 15 * 7 + 10);
  EXPECT_EQ(grid.ColWidths(11), 8 * 7 + 10); // the date row is the widest
}

// The report's player lines are the table's rows, each cell placed in its column's field: the
// table and the report show every column of the standing alike, the shown and the empty ones.
TEST_F(FillToernooiGridTest, TableAndReportAgreeColumnForColumn) {
  AddGame(1, 7000001, 2, 1, "Aa, Bb", "Zz, Yy", EncodeDate(1999, 2, 3), EncodeDate(1903, 1, 1));
  AddGame(3, 2, 7000001, 4, "Zz, Yy", "Aa, Bb");
  AddGame(3, 3, 3, 2, "Zelf, Een", "Zelf, Een", InvalidDate, EncodeDate(2001, 5, 17));
  AddGame(2, 4, 2, 3, "Naam die langer is dan de kolom van de namen", "Zz, Yy");
  AddGame(7, 4, 5, 5, "Naam die langer is dan de kolom van de namen", "Vijf, V");
  toernooi.DecimalSeparator = ',';
  Fill();
  toernooi.Spelers[0].Rating = 1800;
  EXPECT_EQ(FillToernooiGrid(toernooi, grid), "");

  const int spelers = toernooi.GetSpelerCount();
  ASSERT_EQ(spelers, 5);
  ASSERT_EQ(toernooi.ReportLines.size(), 12u + 5u + 2u);
  for (int row = 1; row <= spelers; ++row) {
    SCOPED_TRACE(row);
    TReportLine line;
    for (int col = 0; col < grid.ColCount(); ++col)
      line.AppendField(grid.GetCell(col, row), ReportColumnAt(col));
    EXPECT_EQ(toernooi.ReportLines[static_cast<std::size_t>(11 + row)], line.Text());
  }
  // Every kind of column holds text somewhere, so the comparison covers each formatter.
  for (int col = 0; col < grid.ColCount(); ++col) {
    if (col == SexeColumn.Col || col == TitelColumn.Col) continue;
    bool filled = false;
    for (int row = 1; row <= spelers; ++row) filled = filled || !grid.GetCell(col, row).empty();
    EXPECT_TRUE(filled) << col;
  }
}

// 8 000 players with a line of 4 000 rounds each: a 300 kB file asking for a 306 MiB report.
TEST(FillToernooiGrid, RefusesAReportLargerThanTheLimitBeforeFillingTheTable) {
  TLoadRun run;
  run.Toernooi.LoadBytes("Ruim.csv", SparseRondesCsv(4000), run.InputGrid, false);
  TCellTable grid(5, 5, 1, 1);
  EXPECT_EQ(FillToernooiGrid(run.Toernooi, grid),
            "Het rapport zou te groot worden (306 MiB; de grens is 256 MiB)");
  EXPECT_EQ(grid.ColCount(), 2);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.GetCell(4, 1), "");
  EXPECT_TRUE(run.Toernooi.ReportLines.empty());
}

TEST(ToernooiGridGetAlignment, CentresEveryColumnButTheNames) {
  for (int col = 0; col < 14; ++col) {
    SCOPED_TRACE(col);
    THorzAlign horz = THorzAlign::Left;
    TVertAlign vert = TVertAlign::Top;
    ToernooiGridGetAlignment(col % 3, col, horz, vert);
    EXPECT_EQ(horz, col == 4 ? THorzAlign::Left : THorzAlign::Center);
    EXPECT_EQ(vert, TVertAlign::Top);
  }
}

} // namespace
