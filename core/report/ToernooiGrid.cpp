#include "core/report/ToernooiGrid.h"

#include "core/reading/DateValue.h"
#include "core/report/Report.h"
#include "core/report/ReportColumns.h"
#include "core/report/ReportSize.h"
#include "core/report/StandKolommen.h"
#include "core/text/NumberText.h"
#include "core/text/Teksten.h"
#include "core/tournament/Stand.h"

#include <string>
#include <utility>
#include <vector>

namespace {

std::string RapportTeGroot(std::uintmax_t size) {
  return FillIn(Tekst::RapportTeGroot, std::to_string(SizeInMiB(size)),
                std::to_string(SizeInMiB(MaxReportSize)));
}

// Why the tournament built no players: their report would be too large, or else they would
// take more memory than allowed.
std::string SpelersTeGroot(const TToernooi& toernooi, const TSpelersTeGroot& teGroot) {
  const std::uintmax_t reportSize = ReportSize(toernooi, teGroot.Spelers, teGroot.OverNaam);
  if (reportSize > MaxReportSize) return RapportTeGroot(reportSize);
  return ToernooiTeGrootText(static_cast<std::size_t>(teGroot.Spelers), toernooi.Rondes.size()) +
         FillIn(Tekst::GeheugenGrens, std::to_string(SizeInMiB(teGroot.Budget)));
}

} // namespace

void ClearToernooiGrid(TCellTable& grid) {
  grid.ClearCells();
  grid.SetColCount(2);
  grid.SetRowCount(2);
}

std::string FillToernooiGrid(TToernooi& toernooi, TCellTable& grid) {
  ClearToernooiGrid(grid);
  if (toernooi.TeGroot()) return SpelersTeGroot(toernooi, *toernooi.TeGroot());
  const int spelerCount = toernooi.GetSpelerCount();
  const int rondeCount = static_cast<int>(toernooi.Rondes.size());
  const std::uintmax_t reportSize = ReportSize(toernooi);
  if (reportSize > MaxReportSize) return RapportTeGroot(reportSize);
  grid.SetRowCount(spelerCount + 2);
  grid.SetColCount(rondeCount + FirstRondeColumn.Col);

  for (const TReportColumn& column : FixedReportColumns) {
    if (!column.Header.empty()) grid.SetCell(column.Col, 0, std::string(column.Header));
  }
  for (int k = 0; k < rondeCount; ++k) {
    const auto& ronde = toernooi.Rondes[static_cast<std::size_t>(k)];
    // Appended, not Header + text: GCC 12 at -O3 flags that with a false -Wrestrict.
    std::string header(FirstRondeColumn.Header);
    header += std::to_string(ronde.RondeNr);
    grid.SetCell(FirstRondeColumn.Col + k, 0, std::move(header));
  }

  // The table and the report are drawn from one standing: each cell is formatted once by its
  // column's formatter, placed in the report's line and written into the table.
  const TStand stand(toernooi);
  BuildReport(toernooi, stand, &grid);

  const int dateRow = spelerCount + 1;
  for (int k = 0; k < rondeCount; ++k) {
    const auto& ronde = toernooi.Rondes[static_cast<std::size_t>(k)];
    grid.SetCell(FirstRondeColumn.Col + k, dateRow, FormatDate("yy-mm-dd", ronde.Datum));
  }

  grid.FitColumnWidths(true, 0);
  return {};
}

void ToernooiGridGetAlignment(int /*row*/, int col, THorzAlign& horz, TVertAlign& /*vert*/) {
  horz = ReportColumnAt(col).TableAlign;
}
