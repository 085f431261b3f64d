#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Where one tournament-table column goes in a report player line (positions from 1, both
// inclusive).
struct TReportColumn {
  std::int32_t StartPos = 0;
  std::int32_t EndPos = 0;
  std::string Description;
};

using TReportColumns = std::vector<TReportColumn>;

// The bytes of a report's player lines with their line ends: every line is as wide as all
// round columns together.
std::uintmax_t ReportPlayerLinesSize(int spelerCount, int rondeCount);

void AddReportColumn(TReportColumns& columns, std::int32_t startPos, std::int32_t endPos,
                     std::string description);
// A report player line being built: its text up to its last character that is not a blank,
// and the blanks that follow. Blanks are written only when text follows them, so a line of
// many empty round cells costs what it holds, not its width for every cell.
class TReportLine {
public:
  explicit TReportLine(std::string start = {}) : FText(std::move(start)) {}

  // Places one cell's text into the line: the name left-aligned from its StartPos, every
  // other field right-aligned to its EndPos; a longer text runs on. Blanks and control
  // characters at the line's end go first.
  void AppendField(std::string_view cellText, const TReportColumns& columns, int index);
  // The line, its trailing blanks included.
  std::string Text() const;

private:
  std::string FText;
  std::size_t FBlanks = 0;
};
