#include "core/tournament/ErrorList.h"

#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <string>
#include <utility>

void TFouten::Clear() {
  FRijen.clear();
  FGrid.ClearCells();
  FGrid.SetColCount(4);
  FGrid.SetRowCount(2);
  FGrid.SetCell(0, 0, "xxx");
  FGrid.SetCell(1, 0, Tekst::KolomRegel);
  FGrid.SetCell(2, 0, Tekst::KolomOpmerking);
  FGrid.SetCell(3, 0, Tekst::KolomFout);
  // The placeholder makes column 0 as wide as a three-digit entry number.
  FGrid.FitColumnWidths(true, 1);
  FGrid.SetCell(0, 0, "");
}

void TFouten::Add(TFoutRij rij) {
  FRijen.push_back(std::move(rij));
  const int row = Count();
  FGrid.SetRowCount(row + 2);
  Draw(row);
}

void TFouten::NumberOpenRow() {
  FGrid.SetCell(0, Count() + 1, std::to_string(Count() + 1));
}

void TFouten::SetNaNaam(int row, std::string naNaam) {
  FRijen[static_cast<std::size_t>(row - 1)].NaNaam = std::move(naNaam);
  Draw(row);
}

const TFoutRij* TFouten::Rij(int row) const {
  if (row < 1 || row > Count()) return nullptr;
  return &FRijen[static_cast<std::size_t>(row - 1)];
}

std::optional<int> TFouten::LastBestandRow(const std::filesystem::path& bestand) const {
  if (FRijen.empty() || FRijen.back().Soort != TFoutSoort::Bestand ||
      FRijen.back().Bestand != bestand)
    return std::nullopt;
  return Count();
}

std::optional<int> TFouten::LastBestandRow() const {
  for (int row = Count(); row >= 1; --row)
    if (FRijen[static_cast<std::size_t>(row - 1)].Soort == TFoutSoort::Bestand) return row;
  return std::nullopt;
}

void TFouten::Draw(int row) {
  const TFoutRij& rij = FRijen[static_cast<std::size_t>(row - 1)];
  FGrid.SetCell(0, row, std::to_string(row));
  switch (rij.Soort) {
  case TFoutSoort::Bevinding:
    if (rij.Bevinding.Regel != NoLine) FGrid.SetCell(1, row, std::to_string(rij.Bevinding.Regel));
    FGrid.SetCell(2, row, BevindingText(rij.Bevinding));
    break;
  case TFoutSoort::NietGetoond:
    FGrid.SetCell(2, row,
                  FillIn(Tekst::NietGetoond, std::to_string(rij.NietGetoond),
                         std::to_string(TFoutLijst::MaxGetoond)));
    break;
  case TFoutSoort::Bestand:
    FGrid.SetCell(2, row, BestandRijText(rij));
    FGrid.SetCell(3, row, rij.Fouten ? std::to_string(*rij.Fouten) : std::string());
    break;
  }
}

std::string BestandRijText(const TFoutRij& rij) {
  return FileNameText(rij.Bestand) + rij.NaNaam;
}

void TFoutLijst::AddFout(TBevinding bevinding) {
  ++FFoutTeller;
  if (FBatch) {
    FFouten.NumberOpenRow();
    return;
  }
  if (FGetoond >= MaxGetoond) return;
  ++FGetoond;
  FFouten.Add({TFoutSoort::Bevinding, std::move(bevinding), 0, {}, {}, {}});
}

void TFoutLijst::TelFouten(std::size_t count) {
  FFoutTeller += static_cast<int>(count);
}

void TFoutLijst::AddBestand(const std::filesystem::path& bestand, std::string naNaam) {
  if (!FBatch && FFoutTeller > FGetoond)
    FFouten.Add({TFoutSoort::NietGetoond, {}, FFoutTeller - FGetoond, {}, {}, {}});
  FFouten.Add({TFoutSoort::Bestand, {}, 0, bestand, std::move(naNaam), FFoutTeller});
}

void ErrorGridGetAlignment(int /*row*/, int col, THorzAlign& horz, TVertAlign& /*vert*/) {
  if (col == 1 || col == 3) horz = THorzAlign::Center;
}
