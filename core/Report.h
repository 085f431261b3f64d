#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where one tournament-table column goes in a report player line (positions from 1, both
// inclusive).
struct TReportColumn {
  std::int32_t StartPos = 0;
  std::int32_t EndPos = 0;
  std::string Description;
};

using TReportColumns = std::vector<TReportColumn>;

void AddReportColumn(TReportColumns& columns, std::int32_t startPos, std::int32_t endPos,
                     std::string description);
// Places one cell's text into the player line: the name left-aligned from its StartPos, every
// other field right-aligned to its EndPos; a longer text runs on.
void AppendReportField(std::string& line, std::string_view cellText, const TReportColumns& columns,
                       int index);
