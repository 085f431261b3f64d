#include "core/tournament/ErrorList.h"

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

std::string NietGetoondText(int count) {
  return "En nog " + std::to_string(count) + " fouten; de lijst toont de eerste " +
         std::to_string(TFoutLijst::MaxGetoond) + ".";
}

void TFoutLijst::AddFout(std::string_view message, int line) {
  if (message.empty()) return;
  if (line > 0) ++FFoutTeller;
  if (!FBatch && line > 0 && FGetoond >= MaxGetoond) return;
  if (line == 0) {
    if (!FBatch && FFoutTeller > FGetoond)
      AddRow(NietGetoondText(FFoutTeller - FGetoond), NoLine, "");
    AddRow(message, 0, std::to_string(FFoutTeller));
    return;
  }
  if (FBatch) {
    FGrid.SetCell(0, FGrid.RowCount() - 1, std::to_string(FGrid.RowCount() - 1));
    return;
  }
  ++FGetoond;
  AddRow(message, line, "");
}

void TFoutLijst::TelFouten(std::size_t count) {
  FFoutTeller += static_cast<int>(count);
}

void TFoutLijst::AddRow(std::string_view message, int line, const std::string& number) {
  const int row = FGrid.RowCount() - 1;
  FGrid.SetCell(0, row, std::to_string(row));
  if (line > 0 && line != NoLine) FGrid.SetCell(1, row, std::to_string(line));
  FGrid.SetCell(2, row, std::string(message));
  FGrid.SetCell(3, row, number);
  FGrid.SetRowCount(FGrid.RowCount() + 1);
}

void ErrorGridGetAlignment(int /*row*/, int col, THorzAlign& horz, TVertAlign& /*vert*/) {
  if (col == 1 || col == 3) horz = THorzAlign::Center;
}
