#include "table/CellTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<int> Widths(const TCellTable& t) {
  std::vector<int> widths;
  for (int c = 0; c < t.ColCount(); ++c) widths.push_back(t.ColWidths(c));
  return widths;
}

} // namespace

TEST(FitColumnWidths, FitsEachColumnToItsWidestFirstLine) {
  struct Case {
    const char* name;
    bool includeHeaderColumns;
    int extra;
    std::vector<int> want;
  };
  // Header cells count 8 pixels a byte, body cells 7; a text counts up to its first CR.
  const Case cases[] = {
      {"extra one", true, 1, {35, 53, 11, 18}},
      {"no extra", true, 0, {34, 52, 10, 17}},
      {"header column left alone", false, 0, {77, 52, 10, 17}},
      {"never below ten", true, -30, {10, 22, 10, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TCellTable t(4, 3, 1, 1);
    t.SetColWidths(0, 77);
    t.SetColWidths(2, 500);
    t.SetCell(0, 0, "No");
    t.SetCell(0, 2, "123");
    t.SetCell(1, 0, "Naam");
    t.SetCell(1, 1, "abcdef");
    t.SetCell(1, 2, "ab\rcdefghijk");
    t.SetCell(3, 1, "x");
    t.SetCell(3, 3, "a row below the count");
    t.SetCell(4, 1, "a column beyond the count");
    t.FitColumnWidths(c.includeHeaderColumns, c.extra);
    EXPECT_EQ(Widths(t), c.want);
  }
}

TEST(FitColumnWidths, SkipsRangesOfSeveralColumnsAndUsesTheGivenMeasure) {
  TCellTable t(7, 4, 1, 1);
  std::vector<std::string> measured;
  // Body text much wider than header text, so the font of every measured cell shows.
  t.SetMeasureText([&](std::string_view text, TCellFont font) {
    measured.emplace_back(text);
    return static_cast<int>(text.size()) * (font == TCellFont::Header ? 1 : 100);
  });
  t.SetCell(0, 2, "Ab\r\nc");
  t.SetCell(1, 3, "xyz");
  t.MergeRange(1, 3, 1, 1);
  t.SetCell(3, 1, "hidden");
  t.SetCell(2, 1, "merged");
  t.MergeRange(2, 1, 4, 1);
  t.SetCell(2, 2, "abc");
  t.SetCell(6, 0, "abcd");
  t.MergeRange(6, 0, 1, 3);
  t.FitColumnWidths(true, 0);
  EXPECT_EQ(Widths(t), (std::vector<int>{12, 310, 310, 10, 10, 10, 410}));
  EXPECT_EQ(std::count(measured.begin(), measured.end(), "Ab"), 1);
  EXPECT_EQ(std::count(measured.begin(), measured.end(), "merged"), 0);
  EXPECT_EQ(std::count(measured.begin(), measured.end(), "hidden"), 0);
}

// A text merged across columns narrower than it widens the range's first column by what they
// lack, so that the range is as wide as the text but never wider than MaxFitWidth.
TEST(FitMergedTexts, WidensTheFirstColumnOfARangeByWhatItLacks) {
  const struct {
    const char* name;
    std::size_t chars;
    int colSpan;
    int wantFirst;
  } cases[] = {
      {"a text the columns hold", 2, 3, 11},
      {"a text wider than its columns", 40, 3, 40 * 8 + 10 + 1 - 2 * 11},
      {"a text of megabytes", 4u << 20, 3, TCellTable::MaxFitWidth - 2 * 11},
      {"a range over a million columns", 40, 1000000, 11},
      {"a cell of one column", 40, 1, 40 * 8 + 10 + 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TCellTable t(2 + c.colSpan, 2, 1, 0);
    t.SetMeasureText([](std::string_view text, TCellFont) {
      return static_cast<int>(std::min<std::size_t>(text.size(), 1u << 20)) * 8;
    });
    t.SetCell(2, 1, std::string(c.chars, 'N'));
    t.MergeRange(2, 1, c.colSpan, 1);
    t.FitColumnWidths(true, 1);
    t.FitMergedTexts(1);
    EXPECT_EQ(t.ColWidths(2), c.wantFirst);
    EXPECT_EQ(t.ColWidths(1), 11);
  }
}

TEST(ClipboardText, JoinsCellsWithTabsAndEndsRowsOnlyWhenSeveral) {
  struct Case {
    const char* name;
    int cols, rows;
    std::vector<std::string> cells; // row by row
    std::string want;
  };
  const Case cases[] = {
      {"one row", 3, 1, {"a", "b", ""}, "a\tb\t"},
      {"two rows", 2, 2, {"a", "b", "c", ""}, "a\tb\r\nc\t\r\n"},
      {"CR dropped and quoted", 2, 1, {"a\r\nb", "\r"}, "\"a\nb\"\t\"\""},
      {"error list after reset",
       4,
       2,
       {"", "Regel", "Opmerking", "Fout"},
       "\tRegel\tOpmerking\tFout\r\n\t\t\t\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TCellTable t(c.cols, c.rows, 1, 1);
    for (std::size_t i = 0; i < c.cells.size(); ++i) {
      t.SetCell(static_cast<int>(i) % c.cols, static_cast<int>(i) / c.cols, c.cells[i]);
    }
    t.SetCell(c.cols, 0, "beyond the count");
    EXPECT_EQ(t.ClipboardText(), c.want);
  }
}

// A selection copies a merged range's text once, in the range's first cell inside the block.
TEST(SelectionText, CopiesAMergedTextOnce) {
  TCellTable t(4, 3);
  t.SetCell(1, 0, "m");
  t.MergeRange(1, 0, 3, 2);
  t.SetCell(0, 1, "a");
  EXPECT_EQ(t.SelectionText(0, 0, 3, 1), "\tm\t\t\r\na\t\t\t\r\n");
  EXPECT_EQ(t.SelectionText(2, 1, 3, 1), "m\t");
  EXPECT_EQ(t.ClipboardText(0, 0, 3, 0), "\tm\tm\tm");
}

TEST(ClipboardText, CopiesTheFirstCellForEachMember) {
  TCellTable t(3, 1);
  t.SetCell(0, 0, "m");
  t.MergeRange(0, 0, 2, 1);
  EXPECT_EQ(t.ClipboardText(), "m\tm\t");
}

// Fills the way a 100 000-line file is read in; these would not finish if clearing or fitting
// walked every cell inside the counts.
TEST(CellTableVolume, FillsClearsAndFitsLargeTables) {
  TCellTable t(5, 5, 1, 0);
  t.ClearCells();
  t.SetColCount(3);
  t.SetRowCount(1);
  for (int r = 0; r < 100000; ++r) {
    for (int c = 0; c < 10; ++c) {
      t.SetCell(c, r, std::to_string(r + 1) + "/" + std::to_string(c));
      if (c >= t.ColCount()) t.SetColCount(c + 1);
    }
    t.SetRowCount(t.RowCount() + 1);
  }
  t.SetRowCount(t.RowCount() - 1);
  t.FitColumnWidths(true, 1);
  EXPECT_EQ(t.RowCount(), 100000);
  EXPECT_EQ(t.ColCount(), 10);
  EXPECT_EQ(t.GetCell(9, 99999), "100000/9");
  EXPECT_EQ(t.ColWidths(0), 8 * 8 + 10 + 1);
  EXPECT_EQ(t.ColWidths(9), 8 * 7 + 10 + 1);

  t.SetCell(999999, 7, "far");
  t.SetColCount(1000000);
  for (int r = 0; r < t.RowCount(); ++r) t.MergeRange(2, r, t.ColCount() - 2, 1);
  t.FitColumnWidths(true, 1);
  EXPECT_EQ(t.ColWidths(1), 8 * 7 + 10 + 1);
  EXPECT_EQ(t.ColWidths(999999), 11);
  EXPECT_EQ(t.GetCell(999999, 7), "8/2");
  t.ClearCells();
  EXPECT_EQ(t.GetCell(1, 5), "");
  EXPECT_EQ(t.MergeRole(5, 5).Kind, TMergeRole::None);
}
