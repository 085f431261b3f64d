#include "core/tournament/ErrorList.h"
#include "table/CellTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Row(const TCellTable& grid, int row) {
  std::vector<std::string> texts;
  for (int col = 0; col < 4; ++col) texts.emplace_back(grid.GetCell(col, row));
  return texts;
}

TEST(ClearErrorGrid, LeavesTheHeaderRowAndOneOpenRow) {
  TCellTable grid;
  grid.SetCell(2, 3, "oud");
  grid.SetColCount(7);
  ClearErrorGrid(grid);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(Row(grid, 0), (std::vector<std::string>{"", "Regel", "Opmerking", "Fout"}));
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"", "", "", ""}));
  // Column 0 keeps the width of the three-character placeholder in the header font.
  EXPECT_EQ(grid.ColWidths(0), 3 * 8 + 10 + 1);
  EXPECT_EQ(grid.ColWidths(2), 9 * 8 + 10 + 1);
  EXPECT_EQ(grid.ClipboardText(), "\tRegel\tOpmerking\tFout\r\n\t\t\t\r\n");
}

struct TAddFoutCase {
  const char* Name;
  bool Batch;
  int Line;
  std::vector<std::string> WantRow; // the entry's row after the call
  int WantRows;                     // RowCount after the call
  int WantTeller;
};

TEST(AddFout, AddsByTheSingleFileOrBatchRule) {
  const TAddFoutCase cases[] = {
      {"single with line", false, 12, {"1", "12", "bericht", ""}, 3, 1},
      {"single without line", false, NoLine, {"1", "", "bericht", ""}, 3, 1},
      {"single beyond line 9999", false, 12000, {"1", "12000", "bericht", ""}, 3, 1},
      {"single summary", false, 0, {"1", "", "bericht", "0"}, 3, 0},
      {"batch with line is counted but hidden", true, 12, {"1", "", "", ""}, 2, 1},
      {"batch without line is counted but hidden", true, NoLine, {"1", "", "", ""}, 2, 1},
      {"batch summary", true, 0, {"1", "", "bericht", "0"}, 3, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TCellTable grid;
    ClearErrorGrid(grid);
    TFoutLijst fouten(grid, c.Batch);
    fouten.AddFout("bericht", c.Line);
    EXPECT_EQ(Row(grid, 1), c.WantRow);
    EXPECT_EQ(grid.RowCount(), c.WantRows);
    EXPECT_EQ(fouten.FoutTeller(), c.WantTeller);
  }
}

TEST(AddFout, IgnoresAnEmptyMessage) {
  TCellTable grid;
  ClearErrorGrid(grid);
  TFoutLijst fouten(grid, false);
  fouten.AddFout("", 5);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(fouten.FoutTeller(), 0);
  EXPECT_EQ(grid.GetCell(0, 1), "");
}

TEST(AddFout, SummaryRowCarriesTheCountOfTheLoadInBothModes) {
  for (const bool batch : {false, true}) {
    SCOPED_TRACE(batch ? "batch" : "single");
    TCellTable grid;
    ClearErrorGrid(grid);
    TFoutLijst fouten(grid, batch);
    fouten.AddFout("een", 3);
    fouten.AddFout("twee", NoLine);
    fouten.AddFout("drie", 20000);
    fouten.AddFout("bestand.csv", 0);
    const int summary = grid.RowCount() - 2;
    EXPECT_EQ(summary, batch ? 1 : 4);
    EXPECT_EQ(Row(grid, summary),
              (std::vector<std::string>{std::to_string(summary), "", "bestand.csv", "3"}));
  }
}

TEST(AddFout, BatchKeepsOneTableAcrossLoadsWithTheirOwnCounts) {
  TCellTable grid;
  ClearErrorGrid(grid);
  TFoutLijst first(grid, true);
  first.AddFout("fout", 2);
  first.AddFout("eerste.csv", 0);
  TFoutLijst second(grid, true);
  second.AddFout("tweede.csv", 0);
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"1", "", "eerste.csv", "1"}));
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"2", "", "tweede.csv", "0"}));
  EXPECT_EQ(grid.RowCount(), 4);
}

TEST(ErrorGridGetAlignment, CentresColumnsOneAndThree) {
  for (int col = 0; col < 5; ++col) {
    THorzAlign horz = THorzAlign::Left;
    TVertAlign vert = TVertAlign::Top;
    ErrorGridGetAlignment(0, col, horz, vert);
    EXPECT_EQ(horz, col == 1 || col == 3 ? THorzAlign::Center : THorzAlign::Left) << col;
    EXPECT_EQ(vert, TVertAlign::Top);
  }
}

} // namespace
