#include "core/tournament/InvoerRijen.h"

#include "core/reading/Fields.h"
#include "core/reading/RegelVelden.h"
#include "core/reading/TextFile.h"

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

void DrawInputGrid(std::string_view text, TCellTable& grid) {
  std::size_t kept = 0;
  TLineReader counter(text);
  for (std::string_view line; counter.Next(line);)
    if (line.size() > 4) ++kept;
  std::vector<bool> kopRegels;
  kopRegels.reserve(kept);
  const std::size_t nummer = std::to_string(kept).size() + 1;
  grid.ReserveRows(static_cast<int>(kept) + 1, text.size() + kept * nummer);
  std::string prepared;
  std::string cells;
  std::string celRegel;
  std::vector<std::string_view> vervolg;
  TLineReader reader(text);
  for (std::string_view line; reader.Next(line);) {
    // The load's rules for a cell over several lines and for the lines it skips.
    if (line.find('"') != std::string_view::npos && JoinCel(reader, line, celRegel, vervolg))
      line = celRegel;
    const std::size_t quotes = line.size() > 4 ? PrepareLine(line, prepared).Quotes : 0;
    if (line.size() - quotes <= 4) continue;
    kopRegels.push_back(AddInputRow(grid, prepared, cells) == 3);
  }
  FinishInputGrid(grid, kopRegels);
}
