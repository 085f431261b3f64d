#include "core/Report.h"

#include "core/DateValue.h"
#include "core/Fields.h"
#include "core/Toernooi.h"
#include "core/Version.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// 2000-01-01: header dates before it are treated as missing.
constexpr TDate MinReportDatum = 36526;

constexpr int NaamEntry = 4;
constexpr std::size_t FixedLineWidth = 89;
constexpr std::size_t RondeDatumIndent = 91;
constexpr std::size_t RondeWidth = 10;

constexpr std::string_view SecondRuler = "--- SSSS sTTT NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN RRRR FFF "
                                         "IIIIIIIIIII BBBB/BB/BB PPPP RRRR";
static_assert(SecondRuler.size() == FixedLineWidth);

std::string HeaderDatum(TDate datum, const char* missing) {
  if (datum < MinReportDatum) return missing;
  return FormatDate("yyyy-mm-dd", datum);
}

// From position 5 on, every position shows its own number modulo 10.
std::string FirstRuler(std::size_t rondeCount) {
  std::string ruler = "--- ";
  for (std::size_t pos = 5; pos <= FixedLineWidth; ++pos)
    ruler += static_cast<char>('0' + pos % 10);
  for (std::size_t k = 0; k < rondeCount; ++k) ruler += "0123456789";
  return ruler;
}

// The marks of one round column: its last digit under the opponent, colour and result.
std::string RondeRulerGroup(std::int32_t rondeNr) {
  std::string group = "  1111 1 1";
  if (rondeNr < 0) return group;
  const char digit = static_cast<char>('0' + rondeNr % 10);
  for (char& c : group) {
    if (c == '1') c = digit;
  }
  return group;
}

void AddFixedColumns(TReportColumns& columns) {
  AddReportColumn(columns, 1, 3, "Data-Identification-number (001 for player-data)");
  AddReportColumn(columns, 5, 8, "Startingrank-Number or Number");
  AddReportColumn(columns, 10, 10, "Sex");
  AddReportColumn(columns, 11, 13, "Title");
  AddReportColumn(columns, 15, 47, "Name (Lastname, Firstname, academic title)");
  AddReportColumn(columns, 49, 52, "FIDE Rating");
  AddReportColumn(columns, 54, 56, "FIDE federation");
  AddReportColumn(columns, 58, 68, "FIDE Number (including 3 digits reserve)");
  AddReportColumn(columns, 70, 79, "Birth Date (YYYY/MM/DD)");
  AddReportColumn(columns, 81, 84, "Points (in the Form 11.5)");
  AddReportColumn(columns, 86, 89, "Rank");
}

void PadTo(std::string& text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
}

bool IsPlayerRow(const TCellTable& grid, int row) {
  std::string field(grid.GetCell(0, row));
  field += '\t';
  std::string_view rest = field;
  return ReadIntField(rest) == 1;
}

} // namespace

std::uintmax_t ReportPlayerLinesSize(int spelerCount, int rondeCount) {
  return static_cast<std::uintmax_t>(spelerCount) *
         (FixedLineWidth + RondeWidth * static_cast<std::uintmax_t>(rondeCount) + 2);
}

void AddReportColumn(TReportColumns& columns, std::int32_t startPos, std::int32_t endPos,
                     std::string description) {
  columns.push_back({startPos, endPos, std::move(description)});
}

void TReportLine::AppendField(std::string_view cellText, const TReportColumns& columns, int index) {
  const TReportColumn& column = columns[static_cast<std::size_t>(index)];
  // After the first field the text never ends in a blank, so this trims nothing more.
  FText.erase(TrimRight(FText).size());
  FBlanks = 0;
  std::size_t start = FText.size();
  if (column.StartPos > 1) start = std::max(start, static_cast<std::size_t>(column.StartPos - 1));

  const std::string_view text = Trim(cellText);
  const std::size_t filled = start + text.size();
  const std::size_t blanks = column.EndPos > 0 && filled < static_cast<std::size_t>(column.EndPos)
                                 ? static_cast<std::size_t>(column.EndPos) - filled
                                 : 0;
  if (text.empty()) {
    FBlanks = start - FText.size() + blanks;
  } else if (index == NaamEntry) {
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

void TToernooi::BuildReport(const TCellTable& toernooiGrid) {
  ReportLines.clear();
  ReportLines.push_back("012 " + Rec.Naam);
  ReportLines.push_back("022 " + Rec.Plaats);
  ReportLines.push_back("032 NED");
  ReportLines.push_back("042 " + HeaderDatum(Rec.StartDatum, "yyyy-mm-dd (Geen startdatum)"));
  ReportLines.push_back("052 " + HeaderDatum(Rec.EindDatum, "yyyy-mm-dd (Geen einddatum)"));
  ReportLines.push_back("062 " + std::to_string(GetSpelerCount()));
  ReportLines.push_back("102 " + Rec.Inzender);
  ReportLines.push_back("122 " + Rec.Speeltempo);
  ReportLines.emplace_back();

  ReportLines.push_back(FirstRuler(Rondes.size()));
  std::string ruler(SecondRuler);
  for (const TRondeRec& ronde : Rondes) ruler += RondeRulerGroup(ronde.RondeNr);
  ReportLines.push_back(std::move(ruler));

  TReportColumns columns;
  AddFixedColumns(columns);

  std::string datums = "132";
  PadTo(datums, RondeDatumIndent);
  std::int32_t start = static_cast<std::int32_t>(RondeDatumIndent) + 1;
  for (const TRondeRec& ronde : Rondes) {
    std::string datum = FormatDate("yy.mm.dd", ronde.Datum);
    PadTo(datum, RondeWidth);
    datums += datum;
    AddReportColumn(columns, start, start + 7, "Ronde");
    start += static_cast<std::int32_t>(RondeWidth);
  }
  ReportLines.push_back(std::move(datums));

  const int columnCount = static_cast<int>(columns.size());
  for (int row = 0; row < toernooiGrid.RowCount(); ++row) {
    if (!IsPlayerRow(toernooiGrid, row)) continue;
    TReportLine line;
    for (int k = 0; k < columnCount; ++k)
      line.AppendField(toernooiGrid.GetCell(k, row), columns, k);
    ReportLines.push_back(line.Text());
  }

  ReportLines.emplace_back();
  ReportLines.push_back("--- Morvelander v" + VersionText(DecimalSeparator));
}
