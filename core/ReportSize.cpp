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

std::uintmax_t ReportSize(const TToernooi& toernooi) {
  const TToernooiRec& rec = toernooi.Rec;
  const int spelerCount = toernooi.GetSpelerCount();
  std::uintmax_t size = HeaderLine(rec.Naam) + HeaderLine(rec.Plaats) + HeaderLine("NED") +
                        2 * (HeaderDateLine + LineEnd) + HeaderLine(std::to_string(spelerCount)) +
                        HeaderLine(rec.Inzender) + HeaderLine(rec.Speeltempo) + LineEnd;
  const std::uintmax_t width = ReportLineWidth(static_cast<int>(toernooi.Rondes.size()));
  // The round groups of the second ruler and the dates reach two places past the last round
  // column.
  size += 3 * (width + 2 + LineEnd);
  const auto nameWidth = static_cast<std::size_t>(NaamColumn.Width);
  for (int i = 0; i < spelerCount; ++i) {
    size += width + LineEnd;
    const std::size_t naam = toernooi.Spelers[i].Naam.size();
    if (naam > nameWidth) size += naam - nameWidth;
  }
  return size + LineEnd + FooterLine + LineEnd;
}
