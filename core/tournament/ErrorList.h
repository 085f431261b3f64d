#pragma once

#include "core/text/Bevinding.h"
#include "table/CellTable.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a row of the error list stands for.
enum class TFoutSoort : std::uint8_t {
  // A finding of a load.
  Bevinding,
  // The row that ends a list cut at TFoutLijst::MaxGetoond.
  NietGetoond,
  // A file's own row after its findings, or a file a run refused.
  Bestand,
};

// One row of the error list as a value; the error table shows each.
struct TFoutRij {
  TFoutSoort Soort = TFoutSoort::Bevinding;
  // A finding's row: the finding.
  TBevinding Bevinding;
  // A cut list's last row: how many findings it leaves out.
  int NietGetoond = 0;
  // A file's row: the file, what its text says after the file's name (code page 1252), and
  // how many findings its load counted; none for a file that gave no lines.
  std::filesystem::path Bestand;
  std::string NaNaam;
  std::optional<int> Fouten;
};

// The error list: its rows as values, and the error table drawn from them row by row.
class TFouten {
public:
  explicit TFouten(TCellTable& grid) : FGrid(grid) {}

  // Leaves no rows: the table keeps its header row and one open row.
  void Clear();
  // Adds the row after the others.
  void Add(TFoutRij rij);
  // A batch load counts its findings without rows; the open row then shows its number.
  void NumberOpenRow();
  // Replaces what the row of a file says after the file's name.
  void SetNaNaam(int row, std::string naNaam);
  // The row shown at that row of the table; none for the header and the open row.
  const TFoutRij* Rij(int row) const;
  // The table row of the last row, when it is the row of that file.
  std::optional<int> LastBestandRow(const std::filesystem::path& bestand) const;
  // The last row of a file, when there is one.
  std::optional<int> LastBestandRow() const;
  int Count() const { return static_cast<int>(FRijen.size()); }
  TCellTable& Grid() { return FGrid; }
  const TCellTable& Grid() const { return FGrid; }

private:
  void Draw(int row);

  TCellTable& FGrid;
  std::vector<TFoutRij> FRijen;
};

// A file row's text: the file's name in code page 1252 and what follows it.
std::string BestandRijText(const TFoutRij& rij);

// The findings of one load: adds them to the error list by the single-file or batch rule and
// counts them.
class TFoutLijst {
public:
  // The findings listed for one file; a file dense with findings would otherwise take many
  // times its size in rows. The rest are counted, and one row before the file's row says
  // how many there were.
  static constexpr int MaxGetoond = 10000;

  TFoutLijst(TFouten& fouten, bool batch) : FFouten(fouten), FBatch(batch) {}

  void AddFout(TBevinding bevinding);
  // Findings past the listed ones, counted without their texts.
  void TelFouten(std::size_t count);
  // Ends the load's findings with the file's row.
  void AddBestand(const std::filesystem::path& bestand, std::string naNaam);
  // Every finding, listed or not.
  int FoutTeller() const { return FFoutTeller; }

private:
  TFouten& FFouten;
  bool FBatch;
  int FFoutTeller = 0;
  int FGetoond = 0;
};

// The error table's alignment: columns 1 and 3 centred.
void ErrorGridGetAlignment(int row, int col, THorzAlign& horz, TVertAlign& vert);
