#pragma once

#include "core/Toernooi.h"
#include "table/CellTable.h"

// Empties the tournament table to 2 columns and 2 rows.
void ClearToernooiGrid(TCellTable& grid);
// Writes one row per player and one column per round, and has the tournament build its
// report from the table.
void FillToernooiGrid(TToernooi& toernooi, TCellTable& grid);
// Every column centred except column 4, the names.
void ToernooiGridGetAlignment(int row, int col, THorzAlign& horz, TVertAlign& vert);
