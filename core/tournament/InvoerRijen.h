#pragma once

#include "table/CellTable.h"

#include <string>
#include <string_view>
#include <vector>

// Writes one input-table row of a prepared line (PrepareLine) and returns how many of its
// cells hold text after trimming. The buffer is reused from line to line.
int AddInputRow(TCellTable& grid, std::string_view prepared, std::string& cells);
// Writes the input table of a text read to its end, into a table of no rows yet: the rows a load
// that fills the table writes, ended as it ends them.
void DrawInputGrid(std::string_view text, TCellTable& grid);
// Ends the input table of a load: drops its open row, fits the columns, and lets the text of
// each header record's row (kopRegels, one flag a row) span the table.
void FinishInputGrid(TCellTable& grid, const std::vector<bool>& kopRegels);
