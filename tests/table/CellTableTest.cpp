#include "table/CellTable.h"
#include "support/ThrownMessage.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// (a, b) are the spans of a first cell and the offsets of a member; other fields keep defaults.
void ExpectRole(const TCellTable& t, int col, int row, TMergeRole::TKind kind, int a, int b) {
  SCOPED_TRACE("cell " + std::to_string(col) + "," + std::to_string(row));
  const TMergeRole role = t.MergeRole(col, row);
  const bool first = kind == TMergeRole::First;
  const bool member = kind == TMergeRole::Member;
  EXPECT_EQ((std::tuple{role.Kind, role.ColSpan, role.RowSpan, role.ColOffset, role.RowOffset}),
            (std::tuple{kind, first ? a : 1, first ? b : 1, member ? a : 0, member ? b : 0}));
}

void ExpectOutOfRange(const std::function<void()>& call) {
  EXPECT_EQ(ThrownMessage<std::out_of_range>(call), "Grid index out of range");
}

} // namespace

TEST(CellTableCounts, NormaliseCountsAndLowerFixedCounts) {
  struct Case {
    const char* name;
    int cols, rows, fixedCols, fixedRows; // constructor
    int setCols, setRows;                 // then written
    int wantCols, wantRows, wantFixedCols, wantFixedRows;
  };
  const Case cases[] = {
      {"defaults kept", 5, 5, 1, 1, 5, 5, 5, 5, 1, 1},
      {"zero and negative become one", 5, 5, 1, 1, 0, -3, 1, 1, 0, 0},
      {"header row dropped at one row", 5, 5, 1, 1, 5, 1, 5, 1, 1, 0},
      {"header column dropped at one column", 4, 4, 2, 1, 2, 4, 2, 4, 1, 1},
      {"constructor clamps", 0, 2, 3, -1, 1, 2, 1, 2, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TCellTable t(c.cols, c.rows, c.fixedCols, c.fixedRows);
    t.SetColCount(c.setCols);
    t.SetRowCount(c.setRows);
    EXPECT_EQ(t.ColCount(), c.wantCols);
    EXPECT_EQ(t.RowCount(), c.wantRows);
    EXPECT_EQ(t.FixedCols(), c.wantFixedCols);
    EXPECT_EQ(t.FixedRows(), c.wantFixedRows);
  }
}

TEST(CellTableCounts, RaisingACountDoesNotBringHeadersBack) {
  TCellTable t(5, 5, 1, 1);
  t.SetRowCount(1);
  t.SetRowCount(5);
  EXPECT_EQ(t.FixedRows(), 0);
}

TEST(CellTableCounts, ColumnsThatComeIntoBeingGetTheDefaultWidth) {
  TCellTable t(3, 1, 0, 0);
  t.SetColWidths(0, 11);
  t.SetColWidths(2, 33);
  t.SetColCount(2);
  t.SetColCount(4);
  EXPECT_EQ(t.ColWidths(0), 11);
  EXPECT_EQ(t.ColWidths(2), 64);
  EXPECT_EQ(t.ColWidths(3), 64);
  EXPECT_EQ(t.ColWidths(6), 64);
  ExpectOutOfRange([&] { t.SetColWidths(4, 10); });
  ExpectOutOfRange([&] { t.SetColWidths(-1, 10); });
}

TEST(CellTableTexts, CountsNeverEraseTexts) {
  TCellTable t(3, 5);
  for (int r = 0; r < 5; ++r) t.SetCell(1, r, "r" + std::to_string(r));
  t.SetRowCount(2);
  t.SetRowCount(5);
  EXPECT_EQ(t.GetCell(1, 4), "r4");
  EXPECT_EQ(t.GetCell(7, 9), "");
  EXPECT_EQ(t.GetCell(-1, 0), "");
  ExpectOutOfRange([&] { t.SetCell(0, -1, "x"); });
  ExpectOutOfRange([&] { t.SetCellColor(-1, 0, {}); });
}

// A row keeps its cells in one buffer: overwrites in any order, shorter and longer texts, and
// clears (which free the buffer's unused text now and then) must read back as plain strings.
TEST(CellTableTexts, OverwritesInAnyOrderReadBackAsWritten) {
  TCellTable t(8, 3, 0, 0);
  std::map<std::pair<int, int>, std::string> want;
  std::mt19937 random(7);
  for (int step = 0; step < 20000; ++step) {
    const int col = static_cast<int>(random() % 40);
    const int row = static_cast<int>(random() % 3);
    if (random() % 50 == 0) {
      t.ClearCells();
      for (auto& [cell, text] : want)
        if (cell.first < t.ColCount() && cell.second < t.RowCount()) text.clear();
      continue;
    }
    const std::string text(random() % 3 == 0 ? 0 : random() % 70,
                           static_cast<char>('a' + step % 26));
    t.SetCell(col, row, text);
    want[{col, row}] = text;
    if (step % 97 == 0) {
      for (const auto& [cell, stored] : want) ASSERT_EQ(t.GetCell(cell.first, cell.second), stored);
    }
  }
  for (const auto& [cell, text] : want) EXPECT_EQ(t.GetCell(cell.first, cell.second), text);
}

TEST(CellTableClear, EmptiesOnlyCellsInsideTheCounts) {
  TCellTable t(3, 3, 1, 1);
  const TCellColor red{255, 0, 0};
  t.SetColWidths(2, 99);
  for (const auto& [c, r] : {std::pair{0, 0}, {2, 2}, {5, 1}, {1, 5}, {5, 5}}) {
    t.SetCell(c, r, "x");
    t.SetCellColor(c, r, red);
  }
  t.MergeRange(0, 0, 2, 2);
  t.ClearCells();
  EXPECT_EQ(t.ColCount(), 3);
  EXPECT_EQ(t.FixedRows(), 1);
  EXPECT_EQ(t.ColWidths(2), 99);
  for (const auto& [c, r, kept] :
       {std::tuple{0, 0, false}, {2, 2, false}, {5, 1, true}, {1, 5, true}}) {
    SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
    EXPECT_EQ(t.GetCell(c, r), kept ? "x" : "");
    EXPECT_EQ(t.CellColor(c, r).has_value(), kept);
  }
  ExpectRole(t, 1, 1, TMergeRole::None, 0, 0);
  t.SetCell(1, 1, "own");
  EXPECT_EQ(t.GetCell(1, 1), "own");
  t.SetColCount(6);
  t.SetRowCount(6);
  EXPECT_EQ(t.GetCell(5, 5), "x");
}

TEST(CellTableMerge, MembersReadAndWriteTheFirstCell) {
  TCellTable t(8, 3);
  t.SetCell(4, 1, "own");
  t.SetCell(2, 1, "first");
  t.MergeRange(2, 1, 4, 1);
  EXPECT_EQ(t.GetCell(4, 1), "first");
  t.SetCell(5, 1, "new");
  EXPECT_EQ(t.GetCell(2, 1), "new");
  ExpectRole(t, 2, 1, TMergeRole::First, 4, 1);
  ExpectRole(t, 5, 1, TMergeRole::Member, 3, 0);
  ExpectRole(t, 6, 1, TMergeRole::None, 0, 0);
  t.ClearCells();
  EXPECT_EQ(t.GetCell(4, 1), "");
  t.SetCell(4, 1, "again");
  EXPECT_EQ(t.GetCell(4, 1), "again");
  EXPECT_EQ(t.GetCell(2, 1), "");
}

TEST(CellTableMerge, SpanBelowOneChangesNothing) {
  for (const auto& [colSpan, rowSpan] : {std::pair{0, 1}, {1, 0}, {-2, 3}}) {
    TCellTable t;
    t.MergeRange(1, 1, colSpan, rowSpan);
    ExpectRole(t, 1, 1, TMergeRole::None, 0, 0);
    EXPECT_TRUE(t.MergedRanges().empty());
  }
}

TEST(CellTableMerge, LaterMergesOverwriteTheRolesTheyCover) {
  TCellTable t(6, 6);
  t.SetCell(0, 0, "a");
  t.SetCell(1, 1, "b");
  t.MergeRange(0, 0, 3, 3);
  t.MergeRange(1, 1, 3, 1);
  ExpectRole(t, 1, 1, TMergeRole::First, 3, 1);
  ExpectRole(t, 3, 1, TMergeRole::Member, 2, 0);
  ExpectRole(t, 0, 1, TMergeRole::Member, 0, 1);
  ExpectRole(t, 2, 2, TMergeRole::Member, 2, 2);
  EXPECT_EQ(t.GetCell(2, 1), "b");
  EXPECT_EQ(t.GetCell(2, 2), "a");
  ASSERT_EQ(t.MergedRanges().size(), 2u);
  // Once the first cell is taken over, the older range is no longer shown as a range.
  t.MergeRange(0, 0, 1, 1);
  ExpectRole(t, 0, 0, TMergeRole::First, 1, 1);
  const auto ranges = t.MergedRanges();
  ASSERT_EQ(ranges.size(), 1u);
  EXPECT_EQ((std::tuple{ranges[0].Col, ranges[0].Row, ranges[0].ColSpan}), (std::tuple{1, 1, 3}));
}

TEST(CellTableMerge, ClearKeepsThePartOutsideTheCounts) {
  // Heights short and tall enough to take both ways of looking ranges up; the range
  // covers rows 1 to height.
  for (const int height : {4, 100}) {
    SCOPED_TRACE(height);
    TCellTable t(3, 3);
    t.MergeRange(1, 1, 4, height);
    t.ClearCells();
    ExpectRole(t, 1, 1, TMergeRole::None, 0, 0);
    ExpectRole(t, 2, 2, TMergeRole::None, 0, 0);
    ExpectRole(t, 3, 1, TMergeRole::Member, 2, 0);
    ExpectRole(t, 1, 3, TMergeRole::Member, 0, 2);
    ExpectRole(t, 4, height, TMergeRole::Member, 3, height - 1);
    ExpectRole(t, 5, 1, TMergeRole::None, 0, 0);
    ExpectRole(t, 1, height + 1, TMergeRole::None, 0, 0);
    t.SetCell(1, 1, "x");
    EXPECT_EQ(t.GetCell(4, height), "x");
    EXPECT_TRUE(t.MergedRanges().empty());
  }
}

TEST(CellTableOwner, QuestionsTakeTheRowFirst) {
  TCellTable t(6, 6);
  THorzAlign h = THorzAlign::Right;
  TVertAlign v = TVertAlign::Bottom;
  t.Alignment(2, 3, h, v);
  EXPECT_EQ(h, THorzAlign::Left);
  EXPECT_EQ(v, TVertAlign::Top);
  EXPECT_FALSE(t.CanEditCell(2, 3));

  t.OnGetAlignment = [](int row, int col, THorzAlign& horz, TVertAlign&) {
    if (row == 1 && col == 4) horz = THorzAlign::Center;
  };
  t.OnCanEditCell = [](int row, int col) { return row == 3 && col == 2; };
  t.MergeRange(4, 1, 2, 2);
  for (const auto& [c, r, want] : {std::tuple{4, 1, THorzAlign::Center},
                                   {5, 2, THorzAlign::Center},
                                   {1, 4, THorzAlign::Left}}) {
    t.Alignment(c, r, h, v);
    EXPECT_EQ(h, want) << c << "," << r;
  }
  EXPECT_TRUE(t.CanEditCell(2, 3));
  EXPECT_FALSE(t.CanEditCell(3, 2));
}

// A table written row by row with SetRowText, its header rows merged top to bottom, against one
// written cell by cell and merged bottom to top: both must read, merge, fit, copy and clear
// alike, through overwrites and clears that cut packed rows and their merges.
TEST(CellTablePacked, RowsWrittenWholeReadAsCellByCell) {
  std::string wide = "w0";
  for (int c = 1; c < 300; ++c) wide += "\t" + std::to_string(c % 7 == 0 ? 0 : c);
  const std::vector<std::string> rows = {"1\t012\tOpen",
                                         "2\t\t\t900\t\t",
                                         "",
                                         "\t\t\t",
                                         wide,
                                         "6\t022\tAssen",
                                         std::string("7\tx\0y", 5),
                                         "8\t900\t1\t\t\t5\t\tAb Cd",
                                         "9\t52\tz"};
  const std::vector<int> merged = {0, 5, 8};
  struct Step {
    const char* name;
    std::function<void(TCellTable&)> apply;
  };
  const Step steps[] = {
      {"as written", [](TCellTable&) {}},
      {"overwrites",
       [](TCellTable& t) {
         t.SetCell(1, 1, "nieuw");
         t.SetCell(150, 4, "");
         t.SetCell(298, 4, "laatste");
         t.SetCell(3, 0, "lid");
         t.SetCell(12, 7, "ver");
       }},
      {"cleared inside 4 x 3",
       [](TCellTable& t) {
         t.SetColCount(4);
         t.SetRowCount(3);
         t.ClearCells();
       }},
      {"merged again, cleared whole",
       [](TCellTable& t) {
         t.MergeRange(1, 8, 2, 1);
         t.SetColCount(400);
         t.SetRowCount(20);
         t.ClearCells();
       }},
  };
  TCellTable packed(10, 10, 1, 0);
  TCellTable single(10, 10, 1, 0);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    packed.SetRowText(static_cast<int>(r), rows[r]);
    std::string_view rest = rows[r];
    for (int c = 0;; ++c) {
      const std::size_t tab = rest.find('\t');
      single.SetCell(c, static_cast<int>(r), std::string(rest.substr(0, tab)));
      if (tab == std::string_view::npos) break;
      rest.remove_prefix(tab + 1);
    }
  }
  for (const int row : merged) packed.MergeRange(2, row, 8, 1);
  for (auto it = merged.rbegin(); it != merged.rend(); ++it) single.MergeRange(2, *it, 8, 1);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.apply(packed);
    step.apply(single);
    for (int r = 0; r < 12; ++r)
      for (int c = 0; c < 310; ++c) {
        ASSERT_EQ(packed.GetCell(c, r), single.GetCell(c, r)) << c << "," << r;
        const TMergeRole a = packed.MergeRole(c, r);
        const TMergeRole b = single.MergeRole(c, r);
        ASSERT_EQ((std::tuple{a.Kind, a.ColSpan, a.ColOffset}),
                  (std::tuple{b.Kind, b.ColSpan, b.ColOffset}))
            << c << "," << r;
      }
    EXPECT_EQ(packed.ClipboardText(), single.ClipboardText());
    const auto ranges = [](const TCellTable& t) {
      std::vector<std::tuple<int, int, int, int>> out;
      for (const TMergedRange& m : t.MergedRanges())
        out.emplace_back(m.Col, m.Row, m.ColSpan, m.RowSpan);
      return out;
    };
    EXPECT_EQ(ranges(packed), ranges(single));
    packed.FitColumnWidths(true, 1);
    single.FitColumnWidths(true, 1);
    for (int c = 0; c < packed.ColCount(); ++c)
      ASSERT_EQ(packed.ColWidths(c), single.ColWidths(c)) << c;
  }
}

// Colours set in the order a load sets them and in any other, against a plain map of the last
// colour set per cell, through clears that cut rows and columns.
TEST(CellTableColors, ReadBackAsLastSetThroughClears) {
  const TCellColor red{255, 0, 0};
  const TCellColor blue{0, 0, 255};
  struct Op {
    int col, row;
    TCellColor color;
    int clearCols = 0, clearRows = 0; // a clear instead, when set
  };
  const Op ops[] = {{4, 1, red},       {5, 1, red},  {4, 3, red},      {6, 3, red},
                    {63, 3, red},      {64, 3, red}, {5, 2, red},      {4, 3, blue},
                    {6, 4, blue},      {4, 5, red},  {6, 3, red},      {0, 0, {}, 5, 2},
                    {70, 9, blue},     {5, 9, red},  {5, 9, blue},     {5, 9, red},
                    {4, 9, red},       {1, 6, red},  {0, 0, {}, 6, 5}, {2, 8, red},
                    {0, 0, {}, 80, 20}};
  TCellTable table(80, 20, 1, 0);
  std::map<std::pair<int, int>, TCellColor> model;
  for (const Op& op : ops) {
    if (op.clearCols > 0) {
      table.SetColCount(op.clearCols);
      table.SetRowCount(op.clearRows);
      table.ClearCells();
      std::erase_if(model, [&](const auto& e) {
        return e.first.first < op.clearCols && e.first.second < op.clearRows;
      });
    } else {
      table.SetCellColor(op.col, op.row, op.color);
      model[{op.col, op.row}] = op.color;
    }
    for (int r = 0; r < 12; ++r)
      for (int c = 0; c < 72; ++c) {
        const auto it = model.find({c, r});
        ASSERT_EQ(table.CellColor(c, r),
                  it == model.end() ? std::nullopt : std::optional<TCellColor>(it->second))
            << c << "," << r << " after " << op.col << "," << op.row;
      }
  }
}
