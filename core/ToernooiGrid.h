#pragma once

#include "core/Toernooi.h"
#include "table/CellTable.h"

#include <cstdint>
#include <stdexcept>

// The largest report the program makes. The rulers, the round dates and every player line are
// as wide as all round columns together, so a small file of many rounds would otherwise ask
// for a table and a report many thousands of times its own size.
constexpr std::uintmax_t MaxReportSize = std::uintmax_t{256} << 20;

// A tournament whose report would outgrow MaxReportSize; the text says how large it would be.
class TReportTooLarge : public std::runtime_error {
public:
  explicit TReportTooLarge(std::uintmax_t size);
};

// Empties the tournament table to 2 columns and 2 rows.
void ClearToernooiGrid(TCellTable& grid);
// Writes one row per player and one column per round, and has the tournament build its
// report from the table. Throws TReportTooLarge("the report would be too large (N MiB; the
// limit is 256 MiB)"), with the table left empty and no report, when the players and rounds
// would make a report larger than MaxReportSize.
void FillToernooiGrid(TToernooi& toernooi, TCellTable& grid);
// Each column as its entry among the report columns says: the names left, the rest centred.
void ToernooiGridGetAlignment(int row, int col, THorzAlign& horz, TVertAlign& vert);
