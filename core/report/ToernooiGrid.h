#pragma once

#include "core/reading/SizeLimits.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"

#include <string>

// Empties the tournament table to 2 columns and 2 rows.
void ClearToernooiGrid(TCellTable& grid);
// Writes one row per player and one column per round, and has the tournament build its
// report from the table; gives an empty text then. Gives why it made none, with the table left
// empty and no report: "the report would be too large (N MiB; the limit is 256 MiB)" when the
// players and rounds would make a report larger than MaxReportSize, also those the tournament
// did not build, and otherwise that the tournament is too large for the memory allowed when it
// built no players.
std::string FillToernooiGrid(TToernooi& toernooi, TCellTable& grid);
// Each column as its entry among the report columns says: the names left, the rest centred.
void ToernooiGridGetAlignment(int row, int col, THorzAlign& horz, TVertAlign& vert);
