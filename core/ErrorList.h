#pragma once

#include <string_view>

#include "table/CellTable.h"

// A finding that belongs to no line of the file.
inline constexpr int NoLine = 10000;

// Resets the error table to its header row and one open row.
void ClearErrorGrid(TCellTable& grid);

// The error list of one load: adds entries to the error table by the single-file or batch
// rule and counts the load's findings.
class TFoutLijst {
public:
  TFoutLijst(TCellTable& grid, bool batch) : FGrid(grid), FBatch(batch) {}

  // Line 1-9999 names an input line, NoLine none, 0 marks the file's summary row.
  void AddFout(std::string_view message, int line);
  int FoutTeller() const { return FFoutTeller; }

private:
  TCellTable& FGrid;
  bool FBatch;
  int FFoutTeller = 0;
};

// The error table's alignment: columns 1 and 3 centred.
void ErrorGridGetAlignment(int row, int col, THorzAlign& horz, TVertAlign& vert);
