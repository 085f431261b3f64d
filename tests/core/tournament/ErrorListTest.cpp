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

TEST(ClearErrorList, LeavesTheHeaderRowAndOneOpenRow) {
  TCellTable grid;
  grid.SetCell(2, 3, "oud");
  grid.SetColCount(7);
  TFouten fouten(grid);
  fouten.Clear();
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(Row(grid, 0), (std::vector<std::string>{"", "Regel", "Opmerking", "Fout"}));
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"", "", "", ""}));
  // Column 0 keeps the width of the three-character placeholder in the header font.
  EXPECT_EQ(grid.ColWidths(0), 3 * 8 + 10 + 1);
  EXPECT_EQ(grid.ColWidths(2), 9 * 8 + 10 + 1);
  EXPECT_EQ(grid.ClipboardText(), "\tRegel\tOpmerking\tFout\r\n\t\t\t\r\n");
  EXPECT_EQ(fouten.Count(), 0);
}

const TBevinding Uitslag{TBevindingId::UitslagOngeldig, 12, {}};

struct TAddFoutCase {
  const char* Name;
  bool Batch;
  int Line;
  std::vector<std::string> WantRow; // the entry's row after the call
  int WantRows;                     // RowCount after the call
};

TEST(AddFout, AddsByTheSingleFileOrBatchRule) {
  const TAddFoutCase cases[] = {
      {"single with line", false, 12, {"1", "12", "Niet legale uitslag.", ""}, 3},
      {"single without line", false, NoLine, {"1", "", "Niet legale uitslag.", ""}, 3},
      {"single beyond line 9999", false, 12000, {"1", "12000", "Niet legale uitslag.", ""}, 3},
      {"batch with line is counted but hidden", true, 12, {"1", "", "", ""}, 2},
      {"batch without line is counted but hidden", true, NoLine, {"1", "", "", ""}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TCellTable grid;
    TFouten lijst(grid);
    lijst.Clear();
    TFoutLijst fouten(lijst, c.Batch);
    fouten.AddFout({TBevindingId::UitslagOngeldig, c.Line, {}});
    EXPECT_EQ(Row(grid, 1), c.WantRow);
    EXPECT_EQ(grid.RowCount(), c.WantRows);
    EXPECT_EQ(fouten.FoutTeller(), 1);
    EXPECT_EQ(lijst.Count(), c.Batch ? 0 : 1);
  }
}

TEST(AddFout, SummaryRowCarriesTheCountOfTheLoadInBothModes) {
  for (const bool batch : {false, true}) {
    SCOPED_TRACE(batch ? "batch" : "single");
    TCellTable grid;
    TFouten lijst(grid);
    lijst.Clear();
    TFoutLijst fouten(lijst, batch);
    fouten.AddFout(Uitslag);
    fouten.AddFout({TBevindingId::GeenPartijen, NoLine, {}});
    fouten.AddFout({TBevindingId::NaamTeKort, 20000, {}});
    fouten.AddBestand("map/bestand.csv", "");
    const int summary = batch ? 1 : 4;
    EXPECT_EQ(grid.RowCount(), summary + 2);
    EXPECT_EQ(Row(grid, summary),
              (std::vector<std::string>{std::to_string(summary), "", "bestand.csv", "3"}));
    ASSERT_NE(lijst.Rij(summary), nullptr);
    EXPECT_EQ(lijst.Rij(summary)->Soort, TFoutSoort::Bestand);
    EXPECT_EQ(lijst.LastBestandRow("map/bestand.csv"), summary);
    EXPECT_EQ(lijst.LastBestandRow("map/ander.csv"), std::nullopt);
  }
}

TEST(AddFout, BatchKeepsOneTableAcrossLoadsWithTheirOwnCounts) {
  TCellTable grid;
  TFouten lijst(grid);
  lijst.Clear();
  TFoutLijst first(lijst, true);
  first.AddFout(Uitslag);
  first.AddBestand("eerste.csv", "");
  TFoutLijst second(lijst, true);
  second.AddBestand("tweede.csv", " Niet gevonden.");
  EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"1", "", "eerste.csv", "1"}));
  EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"2", "", "tweede.csv Niet gevonden.", "0"}));
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(lijst.LastBestandRow(), 2);
}

// The list cut at its limit ends in one row that counts the rest, and the rows are values: a
// finding past line 10 000 keeps its line without the table being read.
TEST(AddFout, CutsTheListAndKeepsEachFindingsLine) {
  TCellTable grid;
  TFouten lijst(grid);
  lijst.Clear();
  TFoutLijst fouten(lijst, false);
  for (int regel = 1; regel <= TFoutLijst::MaxGetoond + 5; ++regel)
    fouten.AddFout({TBevindingId::NaamTeKort, 2 * regel, {}});
  fouten.AddBestand("vol.csv", "");
  EXPECT_EQ(lijst.Count(), TFoutLijst::MaxGetoond + 2);
  EXPECT_EQ(lijst.Rij(TFoutLijst::MaxGetoond)->Bevinding.Regel, 2 * TFoutLijst::MaxGetoond);
  const int cut = TFoutLijst::MaxGetoond + 1;
  EXPECT_EQ(lijst.Rij(cut)->Soort, TFoutSoort::NietGetoond);
  EXPECT_EQ(grid.GetCell(2, cut), "En nog 5 fouten; de lijst toont de eerste 10000.");
  EXPECT_EQ(grid.GetCell(3, cut + 1), "10005");
  EXPECT_EQ(lijst.Rij(0), nullptr);
  EXPECT_EQ(lijst.Rij(cut + 2), nullptr);
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
