#include "core/report/ReportSize.h"

#include "core/report/ReportColumns.h"
#include "core/text/Teksten.h"
#include "core/tournament/Toernooi.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr std::uintmax_t LineEnd = 2;
// "042 " and "052 " with the longer of a date and the text for no date.
constexpr std::uintmax_t HeaderDateLine =
    4 + std::max(std::string_view(Tekst::GeenStartdatum).size(),
                 std::string_view(Tekst::GeenEinddatum).size());
// The widest footer, with room for the version text.
constexpr std::uintmax_t FooterLine = 64;

std::uintmax_t HeaderLine(const std::string& value) {
  return 4 + value.size() + LineEnd;
}

std::uintmax_t Over(std::uintmax_t length, std::int32_t room) {
  const auto ruimte = static_cast<std::uintmax_t>(room);
  return length > ruimte ? length - ruimte : 0;
}

// By how many characters a player line can run past its width, its name aside. A cell longer
// than the room up to the next field pushes what follows by the rest, and the last field has no
// room past its width. Only the start numbers, the points and the round cells can be so long:
// a rank or opponent number of as many digits as the players' count, points up to two a round
// (a game against oneself counts twice), and an opponent, a colour and a one-character result.
std::uintmax_t CellsPastWidth(int spelerCount, int rondeCount) {
  const std::uintmax_t nummer = std::to_string(spelerCount).size();
  const std::uintmax_t punten = std::to_string(2 * static_cast<std::uintmax_t>(rondeCount)).size() +
                                std::string_view(".5").size();
  const std::uintmax_t partij = nummer + std::string_view(" w 1").size();
  // The table leaves sex and title empty, so a start number has room up to the name.
  std::uintmax_t over = Over(nummer, NaamColumn.StartPos - StartNrColumn.StartPos) +
                        Over(punten, RankColumn.StartPos - PuntenColumn.StartPos);
  if (rondeCount <= 0) return over + Over(nummer, RankColumn.Width);
  over += Over(nummer, FirstRondeColumn.StartPos - RankColumn.StartPos);
  over += static_cast<std::uintmax_t>(rondeCount - 1) * Over(partij, RondeColumnStep);
  return over + Over(partij, FirstRondeColumn.Width);
}

} // namespace

std::uintmax_t ReportSize(const TToernooi& toernooi) {
  std::uintmax_t overNaam = 0;
  for (int i = 0; i < toernooi.GetSpelerCount(); ++i)
    overNaam += OverNaam(toernooi.Spelers[i].Naam);
  return ReportSize(toernooi, toernooi.GetSpelerCount(), overNaam);
}

std::uintmax_t ReportSize(const TToernooi& toernooi, int spelerCount, std::uintmax_t overNaam) {
  const TToernooiRec& rec = toernooi.Rec;
  std::uintmax_t size = HeaderLine(rec.Naam) + HeaderLine(rec.Plaats) + HeaderLine("NED") +
                        2 * (HeaderDateLine + LineEnd) + HeaderLine(std::to_string(spelerCount)) +
                        HeaderLine(rec.Inzender) + HeaderLine(rec.Speeltempo) + LineEnd;
  const std::uintmax_t width = ReportLineWidth(static_cast<int>(toernooi.Rondes.size()));
  // The round groups of the second ruler and the dates reach two places past the last round
  // column.
  size += 3 * (width + 2 + LineEnd);
  const std::uintmax_t regel =
      width + CellsPastWidth(spelerCount, static_cast<int>(toernooi.Rondes.size())) + LineEnd;
  size += static_cast<std::uintmax_t>(spelerCount) * regel + overNaam;
  return size + LineEnd + FooterLine + LineEnd;
}
