#include "core/ErrorList.h"

#include <string>

void ClearErrorGrid(TCellTable& grid) {
  grid.ClearCells();
  grid.SetColCount(4);
  grid.SetRowCount(2);
  grid.SetCell(0, 0, "xxx");
  grid.SetCell(1, 0, "Regel");
  grid.SetCell(2, 0, "Opmerking");
  grid.SetCell(3, 0, "Fout");
  // The placeholder makes column 0 as wide as a three-digit entry number.
  grid.FitColumnWidths(true, 1);
  grid.SetCell(0, 0, "");
}

void TFoutLijst::AddFout(std::string_view message, int line) {
  if (message.empty()) return;
  const int row = FGrid.RowCount() - 1;
  FGrid.SetCell(0, row, std::to_string(row));
  const bool shown = !FBatch || line == 0;
  if (!FBatch && line > 0 && line < NoLine) FGrid.SetCell(1, row, std::to_string(line));
  if (line > 0) ++FFoutTeller;
  if (!shown) return;
  FGrid.SetCell(2, row, std::string(message));
  if (line == 0) FGrid.SetCell(3, row, std::to_string(FFoutTeller));
  FGrid.SetRowCount(FGrid.RowCount() + 1);
}

void ErrorGridGetAlignment(int /*row*/, int col, THorzAlign& horz, TVertAlign& /*vert*/) {
  if (col == 1 || col == 3) horz = THorzAlign::Center;
}
