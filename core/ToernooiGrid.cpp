#include "core/ToernooiGrid.h"

#include "core/DateValue.h"
#include "core/FlatIndex.h"
#include "core/NumberText.h"
#include "core/Report.h"
#include "core/TextFile.h"

#include <string>
#include <utility>

namespace {

// Ratings below this are placeholders, not real ratings.
constexpr int MinShownRating = 100;
// Lower numbers are club numbers, not FIDE numbers.
constexpr int MinShownIdNr = 5000000;
// 1904-01-01: earlier birth dates are the reader's markers for empty or unreadable fields.
constexpr TDate MinShownGebDatum = 1462;

constexpr int NaamCol = 4;
constexpr int FirstRondeCol = 11;

std::uint64_t RondeKey(std::int32_t rondeNr) {
  return static_cast<std::uint32_t>(rondeNr);
}

} // namespace

TReportTooLarge::TReportTooLarge(std::uintmax_t size)
    : std::runtime_error("Het rapport zou te groot worden (" + std::to_string(SizeInMiB(size)) +
                         " MiB; de grens is " + std::to_string(SizeInMiB(MaxReportSize)) +
                         " MiB)") {}

void ClearToernooiGrid(TCellTable& grid) {
  grid.ClearCells();
  grid.SetColCount(2);
  grid.SetRowCount(2);
}

void FillToernooiGrid(TToernooi& toernooi, TCellTable& grid) {
  ClearToernooiGrid(grid);
  const int spelerCount = toernooi.GetSpelerCount();
  const int rondeCount = static_cast<int>(toernooi.Rondes.size());
  const std::uintmax_t reportSize = ReportPlayerLinesSize(spelerCount, rondeCount);
  if (reportSize > MaxReportSize)
    throw TReportTooLarge(reportSize);
  grid.SetRowCount(spelerCount + 2);
  grid.SetColCount(rondeCount + FirstRondeCol);

  const char* const headers[] = {"S",      "T",    "Naam", "Rating", "Fed",
                                 "Rel.nr", "Geb.", "Pnts", "Rank"};
  int col = 2;
  for (const char* header : headers) grid.SetCell(col++, 0, header);
  for (int k = 0; k < rondeCount; ++k) {
    const auto& ronde = toernooi.Rondes[static_cast<std::size_t>(k)];
    // Appended, not "r" + text: GCC 12 at -O3 flags that with a false -Wrestrict.
    std::string header = "r";
    header += std::to_string(ronde.RondeNr);
    grid.SetCell(FirstRondeCol + k, 0, std::move(header));
  }

  // The column of each round number: the first entry of the rounds table with it.
  TFlatIndex<const TRondeRec> rondeKolom;
  for (const TRondeRec& ronde : toernooi.Rondes) rondeKolom.Insert(RondeKey(ronde.RondeNr), &ronde);

  for (int i = 0; i < spelerCount; ++i) {
    const TSp& sp = toernooi.Spelers[i];
    const int row = i + 1;
    const std::string rank = std::to_string(row);
    grid.SetCell(0, row, "001");
    grid.SetCell(1, row, rank);
    grid.SetCell(NaamCol, row, sp.Naam);
    if (sp.Rating >= MinShownRating) grid.SetCell(5, row, std::to_string(sp.Rating));
    grid.SetCell(6, row, "NED");
    if (sp.IdNr >= MinShownIdNr) grid.SetCell(7, row, std::to_string(sp.IdNr));
    if (sp.GebDatum >= MinShownGebDatum)
      grid.SetCell(8, row, FormatDate("yyyy-mm-dd", sp.GebDatum));
    grid.SetCell(9, row, FormatFixed1(sp.GetPunten(), toernooi.DecimalSeparator));
    grid.SetCell(10, row, rank);
    // One walk over the player's games gives every round cell; a later game of the same round
    // overwrites an earlier one, as in GetRondeUitslag. Rounds without a game stay empty.
    for (const TSpPartij& partij : sp.Partijen) {
      if (!sp.SpeeltIn(partij.Game->Rec)) continue;
      if (const TRondeRec* ronde = rondeKolom.Find(RondeKey(partij.Game->Rec.RondeNr)))
        grid.SetCell(FirstRondeCol + static_cast<int>(ronde - toernooi.Rondes.data()), row,
                     sp.PartijTekst(partij));
    }
  }

  // The report reads the player rows back from the table, before the date row exists.
  toernooi.BuildReport(grid);

  const int dateRow = spelerCount + 1;
  for (int k = 0; k < rondeCount; ++k) {
    const auto& ronde = toernooi.Rondes[static_cast<std::size_t>(k)];
    grid.SetCell(FirstRondeCol + k, dateRow, FormatDate("yy-mm-dd", ronde.Datum));
  }

  grid.FitColumnWidths(true, 0);
}

void ToernooiGridGetAlignment(int /*row*/, int col, THorzAlign& horz, TVertAlign& /*vert*/) {
  if (col != NaamCol) horz = THorzAlign::Center;
}
