#include "core/tournament/InvoerRijen.h"

#include "core/reading/Fields.h"

#include <algorithm>

namespace {

constexpr TCellColor Red{255, 0, 0};

// Half-way values go to the even neighbour.
int RoundHalfEven(int numerator, int denominator) {
  const int q = numerator / denominator;
  const int r = numerator % denominator;
  if (2 * r > denominator || (2 * r == denominator && q % 2 != 0)) return q + 1;
  return q;
}

} // namespace

int AddInputRow(TCellTable& grid, std::string_view prepared, std::string& cells) {
  const int row = grid.RowCount() - 1;
  cells = std::to_string(row + 1);
  cells += '\t';
  cells += prepared;
  grid.SetRowText(row, cells);
  int filled = 1;
  bool gameRecord = false;
  int col = 1;
  for (std::size_t tab = prepared.find('\t'); tab != std::string_view::npos;
       tab = prepared.find('\t')) {
    const std::string_view field = prepared.substr(0, tab);
    prepared.remove_prefix(tab + 1);
    if (col == 1) gameRecord = field == "900";
    if (!Trim(field).empty()) ++filled;
    // A game record without white id, black id or result.
    if (col >= 4 && col <= 6 && field.empty() && gameRecord) grid.SetCellColor(col, row, Red);
    ++col;
  }
  // The columns grow once for the row: a line of millions of fields would otherwise grow the
  // widths step by step, to twice what they hold.
  if (col >= grid.ColCount()) grid.SetColCount(col + 1);
  grid.SetRowCount(grid.RowCount() + 1);
  return filled;
}

void FinishInputGrid(TCellTable& grid, const std::vector<bool>& kopRegels) {
  if (grid.RowCount() > 1) grid.SetRowCount(grid.RowCount() - 1);
  grid.FitColumnWidths(true, 1);
  if (grid.ColWidths(2) > grid.ColWidths(6))
    grid.SetColWidths(2, RoundHalfEven(grid.ColWidths(6) * 3, 2));
  // A header record's text spans the table: a row of three filled cells. The rows were written
  // by this load alone, so the count of filled cells kept while writing them is the count the
  // table would give.
  const int rows = std::min(grid.RowCount(), static_cast<int>(kopRegels.size()));
  for (int row = 0; row < rows; ++row)
    if (kopRegels[static_cast<std::size_t>(row)]) grid.MergeRange(2, row, grid.ColCount() - 2, 1);
}
