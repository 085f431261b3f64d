#include "core/tournament/ToernooiGrid.h"

#include "core/reading/DateValue.h"
#include "core/report/Report.h"
#include "core/report/ReportColumns.h"
#include "core/report/ReportSize.h"
#include "core/text/NumberText.h"
#include "core/text/Teksten.h"
#include "core/tournament/FlatIndex.h"

#include <string>
#include <utility>

namespace {

// Ratings below this are placeholders, not real ratings.
constexpr int MinShownRating = 100;
// Lower numbers are club numbers, not FIDE numbers.
constexpr int MinShownIdNr = 5000000;
// 1904-01-01: earlier birth dates are the reader's markers for empty or unreadable fields.
constexpr TDate MinShownGebDatum = 1462;

std::uint64_t RondeKey(std::int32_t rondeNr) {
  return static_cast<std::uint32_t>(rondeNr);
}

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

  // The column of each round number: the first entry of the rounds table with it.
  TFlatIndex<const TRondeRec> rondeKolom;
  for (const TRondeRec& ronde : toernooi.Rondes) rondeKolom.Insert(RondeKey(ronde.RondeNr), &ronde);

  for (int i = 0; i < spelerCount; ++i) {
    const TSp& sp = toernooi.Spelers[i];
    const int row = i + 1;
    const std::string rank = std::to_string(row);
    grid.SetCell(RecordCodeColumn.Col, row, "001");
    grid.SetCell(StartNrColumn.Col, row, rank);
    grid.SetCell(NaamColumn.Col, row, sp.Naam);
    if (sp.Rating >= MinShownRating) grid.SetCell(RatingColumn.Col, row, std::to_string(sp.Rating));
    grid.SetCell(FederatieColumn.Col, row, "NED");
    if (sp.IdNr >= MinShownIdNr) grid.SetCell(IdNrColumn.Col, row, std::to_string(sp.IdNr));
    if (sp.GebDatum >= MinShownGebDatum)
      grid.SetCell(GebDatumColumn.Col, row, FormatDate("yyyy-mm-dd", sp.GebDatum));
    grid.SetCell(PuntenColumn.Col, row, FormatFixed1(sp.GetPunten(), toernooi.DecimalSeparator));
    grid.SetCell(RankColumn.Col, row, rank);
    // One walk over the player's games gives every round cell; a later game of the same round
    // overwrites an earlier one, so a game against oneself shows its black side. Rounds without
    // a game stay empty.
    for (const TSpPartij& partij : sp.Partijen) {
      if (!sp.SpeeltIn(partij.Game->Rec)) continue;
      if (const TRondeRec* ronde = rondeKolom.Find(RondeKey(partij.Game->Rec.RondeNr)))
        grid.SetCell(FirstRondeColumn.Col + static_cast<int>(ronde - toernooi.Rondes.data()), row,
                     sp.PartijTekst(partij));
    }
  }

  // The report reads the player rows back from the table, before the date row exists.
  toernooi.BuildReport(grid);

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
