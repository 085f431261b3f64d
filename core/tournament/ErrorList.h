#pragma once

#include <limits>
#include <string>
#include <string_view>

#include "table/CellTable.h"

// A finding that belongs to no line of the file: a value no line number can have.
inline constexpr int NoLine = std::numeric_limits<int>::max();

// Resets the error table to its header row and one open row.
void ClearErrorGrid(TCellTable& grid);

// The error list of one load: adds entries to the error table by the single-file or batch
// rule and counts the load's findings.
class TFoutLijst {
public:
  // The findings listed for one file; a file dense with findings would otherwise take many
  // times its size in rows. The rest are counted, and one row before the summary row says
  // how many there were.
  static constexpr int MaxGetoond = 10000;

  TFoutLijst(TCellTable& grid, bool batch) : FGrid(grid), FBatch(batch) {}

  // A positive line names an input line, NoLine none, 0 marks the file's summary row.
  void AddFout(std::string_view message, int line);
  // Findings past the listed ones, counted without their texts.
  void TelFouten(std::size_t count);
  // Every finding, listed or not.
  int FoutTeller() const { return FFoutTeller; }

private:
  // Writes one row; `number` goes in the last column.
  void AddRow(std::string_view message, int line, const std::string& number);

  TCellTable& FGrid;
  bool FBatch;
  int FFoutTeller = 0;
  int FGetoond = 0;
};

// The row that ends a list cut at TFoutLijst::MaxGetoond, for that many more findings.
std::string NietGetoondText(int count);

// The error table's alignment: columns 1 and 3 centred.
void ErrorGridGetAlignment(int row, int col, THorzAlign& horz, TVertAlign& vert);
