#include "core/report/Report.h"

#include "core/reading/DateValue.h"
#include "core/reading/Fields.h"
#include "core/report/StandKolommen.h"
#include "core/text/Teksten.h"
#include "core/text/Version.h"
#include "core/tournament/Toernooi.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// 2000-01-01: header dates before it are treated as missing.
constexpr TDate MinReportDatum = 36526;

std::string HeaderDatum(TDate datum, const char* missing) {
  if (datum < MinReportDatum) return missing;
  return FormatDate("yyyy-mm-dd", datum);
}

void PadTo(std::string& text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
}

// From position 5 on, every position of a player line shows its own number modulo 10.
std::string FirstRuler(int rondeCount) {
  std::string ruler = "--- ";
  const std::uintmax_t width = ReportLineWidth(rondeCount);
  for (std::uintmax_t pos = 5; pos <= width; ++pos) ruler += static_cast<char>('0' + pos % 10);
  return ruler;
}

// Every field's marks at the field's place; a round's marks carry its number's last digit.
std::string SecondRuler(const std::vector<TRondeRec>& rondes) {
  std::string ruler;
  for (const TReportColumn& column : FixedReportColumns) {
    PadTo(ruler, static_cast<std::size_t>(column.StartPos - 1));
    ruler += column.Ruler;
  }
  for (std::size_t k = 0; k < rondes.size(); ++k) {
    const TReportColumn column = ReportColumnAt(FirstRondeColumn.Col + static_cast<int>(k));
    PadTo(ruler, static_cast<std::size_t>(column.StartPos - 1));
    std::string group(column.Ruler);
    if (rondes[k].RondeNr >= 0)
      std::replace(group.begin(), group.end(), '1',
                   static_cast<char>('0' + rondes[k].RondeNr % 10));
    ruler += group;
  }
  return ruler;
}

} // namespace

void TReportLine::AppendField(std::string_view cellText, const TReportColumn& column) {
  // After the first field the text never ends in a blank, so this trims nothing more.
  FText.erase(TrimRight(FText).size());
  FBlanks = 0;
  std::size_t start = FText.size();
  if (column.StartPos > 1) start = std::max(start, static_cast<std::size_t>(column.StartPos - 1));

  const std::string_view text = Trim(cellText);
  const std::size_t filled = start + text.size();
  const auto endPos = static_cast<std::size_t>(column.EndPos());
  const std::size_t blanks = filled < endPos ? endPos - filled : 0;
  if (text.empty()) {
    FBlanks = start - FText.size() + blanks;
  } else if (column.ReportAlign == THorzAlign::Left) {
    FText.resize(start, ' ');
    FText += text;
    FBlanks = blanks;
  } else {
    FText.resize(start + blanks, ' ');
    FText += text;
  }
}

std::string TReportLine::Text() const {
  std::string line;
  line.reserve(FText.size() + FBlanks);
  line += FText;
  line.append(FBlanks, ' ');
  return line;
}

void BuildReport(TToernooi& toernooi, const TStand& stand, TCellTable* table) {
  const TToernooiRec& rec = toernooi.Rec;
  std::vector<std::string>& lines = toernooi.ReportLines;
  lines.clear();
  lines.push_back("012 " + rec.Naam);
  lines.push_back("022 " + rec.Plaats);
  lines.push_back("032 NED");
  lines.push_back("042 " + HeaderDatum(rec.StartDatum, Tekst::GeenStartdatum));
  lines.push_back("052 " + HeaderDatum(rec.EindDatum, Tekst::GeenEinddatum));
  lines.push_back("062 " + std::to_string(stand.SpelerCount()));
  lines.push_back("102 " + rec.Inzender);
  lines.push_back("122 " + rec.Speeltempo);
  lines.emplace_back();

  const int rondeCount = stand.RondeCount();
  lines.push_back(FirstRuler(rondeCount));
  lines.push_back(SecondRuler(stand.Rondes()));

  // Each round's date starts at its field and takes the room of one round.
  std::string datums = "132";
  PadTo(datums, static_cast<std::size_t>(FirstRondeColumn.StartPos - 1));
  for (const TRondeRec& ronde : stand.Rondes()) {
    std::string datum = FormatDate("yy.mm.dd", ronde.Datum);
    PadTo(datum, RondeColumnStep);
    datums += datum;
  }
  lines.push_back(std::move(datums));

  // Each round's column is worked out as the line reaches it: a list of them would take more
  // than the rulers for a file of many rounds.
  const int colCount = FirstRondeColumn.Col + rondeCount;
  std::vector<std::string> rondeCellen;
  for (int i = 0; i < stand.SpelerCount(); ++i) {
    stand.RondeCellen(i, rondeCellen);
    TReportLine line;
    for (int col = 0; col < colCount; ++col) {
      std::string text = StandCel(stand, i, col, rondeCellen);
      line.AppendField(text, ReportColumnAt(col));
      if (table && !text.empty()) table->SetCell(col, i + 1, std::move(text));
    }
    lines.push_back(line.Text());
  }

  lines.emplace_back();
  lines.push_back("--- Morvelander v" + VersionText(toernooi.DecimalSeparator));
}
