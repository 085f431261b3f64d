#pragma once

#include "core/report/ReportColumns.h"
#include "core/tournament/Stand.h"
#include "core/tournament/Toernooi.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// A report player line being built: its text up to its last character that is not a blank,
// and the blanks that follow. Blanks are written only when text follows them, so a line of
// many empty round cells costs what it holds, not its width for every cell.
class TReportLine {
public:
  explicit TReportLine(std::string start = {}) : FText(std::move(start)) {}

  // Places one cell's text into the column's field, aligned as the column says; a longer text
  // runs on. Blanks and control characters at the line's end go first.
  void AppendField(std::string_view cellText, const TReportColumn& column);
  // The line, its trailing blanks included.
  std::string Text() const;

private:
  std::string FText;
  std::size_t FBlanks = 0;
};

// Replaces the tournament's ReportLines with its report: the header values, the rulers, the
// rounds' dates and one line per player of the standing. Each cell is formatted once, for the
// report and, given a tournament table, for the player's row there (its start rank): the table
// shows the report's texts.
void BuildReport(TToernooi& toernooi, const TStand& stand, TCellTable* table = nullptr);
