#include "core/ReportSize.h"

#include "core/ReportColumns.h"
#include "core/Toernooi.h"

#include <string>

namespace {

constexpr std::uintmax_t LineEnd = 2;
// "042 " and "052 " with the longer of a date and the text for no date.
constexpr std::uintmax_t HeaderDateLine = 4 + sizeof("yyyy-mm-dd (Geen startdatum)") - 1;
// The widest footer, with room for the version text.
constexpr std::uintmax_t FooterLine = 64;

std::uintmax_t HeaderLine(const std::string& value) {
  return 4 + value.size() + LineEnd;
}

} // namespace

std::uintmax_t OverNaam(const std::string& naam) {
  const auto nameWidth = static_cast<std::size_t>(NaamColumn.Width);
  return naam.size() > nameWidth ? naam.size() - nameWidth : 0;
}

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
  size += static_cast<std::uintmax_t>(spelerCount) * (width + LineEnd) + overNaam;
  return size + LineEnd + FooterLine + LineEnd;
}
