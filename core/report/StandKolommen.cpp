#include "core/report/StandKolommen.h"

#include "core/reading/DateValue.h"
#include "core/reading/Fields.h"
#include "core/text/NumberText.h"

namespace {

// Ratings below this are placeholders, not real ratings.
constexpr int MinShownRating = 100;
// Lower numbers are club numbers, not FIDE numbers.
constexpr int MinShownIdNr = 5000000;

} // namespace

std::string StandCel(const TStand& stand, int i, int col,
                     const std::vector<std::string>& rondeCellen) {
  if (col >= FirstRondeColumn.Col)
    return rondeCellen[static_cast<std::size_t>(col - FirstRondeColumn.Col)];
  const TSp& sp = stand.Speler(i);
  switch (col) {
  case RecordCodeColumn.Col:
    return "001";
  case StartNrColumn.Col:
  case RankColumn.Col:
    return std::to_string(i + 1);
  case NaamColumn.Col:
    return sp.Naam;
  case RatingColumn.Col:
    return sp.Rating >= MinShownRating ? std::to_string(sp.Rating) : std::string();
  case FederatieColumn.Col:
    return "NED";
  case IdNrColumn.Col:
    return sp.IdNr >= MinShownIdNr ? std::to_string(sp.IdNr) : std::string();
  case GebDatumColumn.Col:
    return IsShownDate(sp.GebDatum) ? FormatDate("yyyy-mm-dd", sp.GebDatum) : std::string();
  case PuntenColumn.Col:
    return FormatFixed1(sp.GetPunten(), stand.DecimalSeparator());
  default:
    return {};
  }
}
