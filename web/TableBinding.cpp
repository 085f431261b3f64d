// The page's view of the core's tables: their shapes, widths, alignments and cells, as much
// as a view shows, and their texts as the clipboard receives them.

#include "web/WebForm.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using emscripten::val;

namespace {

// A table's shape: counts, header counts, and the left edge of every BlockCols-th column, as
// a typed array: a line may have millions of fields, whose widths the page asks for only
// where it shows them.
struct TWebTable {
  int ColCount = 0;
  int RowCount = 0;
  int FixedCols = 0;
  int FixedRows = 0;
  int BlockCols = 0;
  val BlockEdges = val::null();
};

// A block of rows, row by row and column by column: the texts, the cell colours as 0xRRGGBB
// (-1 for none) and the spans (the columns a merged range covers, 0 for a cell it hides).
struct TWebRows {
  val Texts = val::array();
  val Colors = val::array();
  val Spans = val::array();
};

// A copy of the numbers as a typed array of the page.
template <typename T> val TypedArray(const char* type, const std::vector<T>& numbers) {
  return val::global(type).new_(emscripten::typed_memory_view(numbers.size(), numbers.data()));
}

// The columns of a block of the shape's edges.
constexpr int BlockCols = 4096;

TWebTable TableShape(int which) {
  const TCellTable& grid = Grid(which);
  TWebTable shape;
  shape.ColCount = grid.ColCount();
  shape.RowCount = grid.RowCount();
  shape.FixedCols = grid.FixedCols();
  shape.FixedRows = grid.FixedRows();
  shape.BlockCols = BlockCols;
  std::vector<double> edges(static_cast<std::size_t>(grid.ColCount() / BlockCols + 2));
  double left = 0;
  for (int c = 0; c < grid.ColCount(); ++c) {
    if (c % BlockCols == 0) edges[static_cast<std::size_t>(c / BlockCols)] = left;
    left += grid.ColWidths(c);
  }
  // The table's right edge closes the last block.
  edges[static_cast<std::size_t>((grid.ColCount() + BlockCols - 1) / BlockCols)] = left;
  edges.resize(static_cast<std::size_t>((grid.ColCount() + BlockCols - 1) / BlockCols + 1));
  shape.BlockEdges = TypedArray("Float64Array", edges);
  return shape;
}

// The widths of the columns from `first`, as many as there are of `count`.
val ColumnWidths(int which, int first, int count) {
  const TCellTable& grid = Grid(which);
  std::vector<std::int32_t> widths;
  for (int c = std::max(first, 0); c < std::min(grid.ColCount(), first + count); ++c)
    widths.push_back(grid.ColWidths(c));
  return TypedArray("Int32Array", widths);
}

// The alignment of the columns from `first` (0 left, 1 centre, 2 right).
val ColumnAligns(int which, int first, int count) {
  const TCellTable& grid = Grid(which);
  std::vector<std::uint8_t> aligns;
  for (int c = std::max(first, 0); c < std::min(grid.ColCount(), first + count); ++c) {
    THorzAlign horz = THorzAlign::Left;
    TVertAlign vert = TVertAlign::Top;
    // A table without the owner's handler aligns every cell left.
    if (grid.OnGetAlignment) grid.Alignment(c, 0, horz, vert);
    aligns.push_back(static_cast<std::uint8_t>(horz));
  }
  return TypedArray("Uint8Array", aligns);
}

// The cells of the rows from `first` in the columns from `firstCol`, as many as there are of
// each: a view asks only for what it shows.
TWebRows TableRows(int which, int first, int count, int firstCol, int colCount) {
  const TCellTable& grid = Grid(which);
  TWebRows rows;
  const int end = std::min(grid.RowCount(), first + count);
  const int colEnd = std::min(grid.ColCount(), firstCol + colCount);
  for (int r = std::max(first, 0); r < end; ++r) {
    for (int c = std::max(firstCol, 0); c < colEnd; ++c) {
      const TMergeRole role = grid.MergeRole(c, r);
      const std::optional<TCellColor> color = grid.CellColor(c, r);
      // The error list names files as the page was given them.
      rows.Texts.call<void>("push", which == 2
                                        ? ShownUtf8(Form().Conversion.ErrorCell(c, r, PageNaming()))
                                        : ShownCp1252(grid.GetCell(c, r)));
      rows.Colors.call<void>("push", color ? (color->R << 16) | (color->G << 8) | color->B : -1);
      rows.Spans.call<void>("push", role.Kind == TMergeRole::Member ? 0
                                    : role.Kind == TMergeRole::First
                                        ? std::min(role.ColSpan, grid.ColCount() - c)
                                        : 1);
    }
  }
  return rows;
}

// The text of a summary row of the error list (the file's name first), or "" for another row.
std::string SummaryText(int errorRow) {
  const TCellTable& grid = Form().Conversion.ErrorGrid;
  if (errorRow < grid.FixedRows() || errorRow >= grid.RowCount()) return {};
  if (!Form().Conversion.SummaryFile(errorRow)) return {};
  return Form().Conversion.ErrorCell(2, errorRow, PageNaming());
}

// The error list as the clipboard receives it.
std::string ErrorText() {
  return Form().Conversion.ErrorText(PageNaming());
}

// A block of a table's cells, bounds included, in the same form.
std::string CellsText(int which, int left, int top, int right, int bottom) {
  if (which == 2) return Form().Conversion.ErrorText(left, top, right, bottom, PageNaming());
  return Cp1252ToUtf8(Grid(which).ClipboardText(left, top, right, bottom));
}

// The input table's row of the line that a row of the error list names, or -1.
int FindingRow(int errorRow) {
  return Form().Conversion.FindingRow(errorRow).value_or(-1);
}

} // namespace

EMSCRIPTEN_BINDINGS(morvelander_tables) {
  emscripten::value_object<TWebTable>("TWebTable")
      .field("ColCount", &TWebTable::ColCount)
      .field("RowCount", &TWebTable::RowCount)
      .field("FixedCols", &TWebTable::FixedCols)
      .field("FixedRows", &TWebTable::FixedRows)
      .field("BlockCols", &TWebTable::BlockCols)
      .field("BlockEdges", &TWebTable::BlockEdges);
  emscripten::value_object<TWebRows>("TWebRows")
      .field("Texts", &TWebRows::Texts)
      .field("Colors", &TWebRows::Colors)
      .field("Spans", &TWebRows::Spans);
  emscripten::function("SummaryText", &SummaryText);
  emscripten::function("TableShape", &TableShape);
  emscripten::function("ColumnWidths", &ColumnWidths);
  emscripten::function("ColumnAligns", &ColumnAligns);
  emscripten::function("TableRows", &TableRows);
  emscripten::function("ErrorText", &ErrorText);
  emscripten::function("CellsText", &CellsText);
  emscripten::function("FindingRow", &FindingRow);
}
