#pragma once

#include "core/tournament/NaamBreedte.h"
#include "table/CellTable.h"

#include <array>
#include <cstdint>
#include <string_view>

// One column of the tournament table and the field of a report player line that it fills.
struct TReportColumn {
  // The column's place in the tournament table, and its header there.
  int Col = 0;
  std::string_view Header;
  // The field's first position in the report line (from 1) and its width.
  std::int32_t StartPos = 0;
  std::int32_t Width = 0;
  // The tournament table's alignment, and the report's: Left starts the text at StartPos,
  // Right ends it at EndPos(). A longer text runs on to the right.
  THorzAlign TableAlign = THorzAlign::Center;
  THorzAlign ReportAlign = THorzAlign::Right;
  // The field's marks in the report's second ruler line, as wide as the field.
  std::string_view Ruler;

  constexpr std::int32_t EndPos() const { return StartPos + Width - 1; }
};

// The report's columns: place and header in the tournament table, first position and width in
// the report line, alignment in the table and in the report, and ruler marks.
// clang-format off
// Data-Identification-number (001 for player-data)
constexpr TReportColumn RecordCodeColumn{ 0, "",        1,  3, THorzAlign::Center, THorzAlign::Right, "---"};
// Startingrank-Number or Number
constexpr TReportColumn StartNrColumn   { 1, "",        5,  4, THorzAlign::Center, THorzAlign::Right, "SSSS"};
// Sex
constexpr TReportColumn SexeColumn      { 2, "S",      10,  1, THorzAlign::Center, THorzAlign::Right, "s"};
// Title
constexpr TReportColumn TitelColumn     { 3, "T",      11,  3, THorzAlign::Center, THorzAlign::Right, "TTT"};
// Name (Lastname, Firstname, academic title)
constexpr TReportColumn NaamColumn      { 4, "Naam",   15, NaamBreedte, THorzAlign::Left, THorzAlign::Left, "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN"};
// FIDE Rating
constexpr TReportColumn RatingColumn    { 5, "Rating", 49,  4, THorzAlign::Center, THorzAlign::Right, "RRRR"};
// FIDE federation
constexpr TReportColumn FederatieColumn { 6, "Fed",    54,  3, THorzAlign::Center, THorzAlign::Right, "FFF"};
// FIDE Number (including 3 digits reserve)
constexpr TReportColumn IdNrColumn      { 7, "Rel.nr", 58, 11, THorzAlign::Center, THorzAlign::Right, "IIIIIIIIIII"};
// Birth Date (YYYY/MM/DD)
constexpr TReportColumn GebDatumColumn  { 8, "Geb.",   70, 10, THorzAlign::Center, THorzAlign::Right, "BBBB/BB/BB"};
// Points (in the Form 11.5)
constexpr TReportColumn PuntenColumn    { 9, "Pnts",   81,  4, THorzAlign::Center, THorzAlign::Right, "PPPP"};
// Rank
constexpr TReportColumn RankColumn      {10, "Rank",   86,  4, THorzAlign::Center, THorzAlign::Right, "RRRR"};
// The first round's. Its header is followed by the round number, and in its ruler every '1'
// becomes the round number's last digit.
constexpr TReportColumn FirstRondeColumn{11, "r",      92,  8, THorzAlign::Center, THorzAlign::Right, "1111 1 1"};
// clang-format on

// The columns before the rounds, in their order in the table and in the report.
constexpr std::array<TReportColumn, 11> FixedReportColumns{
    RecordCodeColumn, StartNrColumn, SexeColumn,     TitelColumn,  NaamColumn, RatingColumn,
    FederatieColumn,  IdNrColumn,    GebDatumColumn, PuntenColumn, RankColumn};

// Each further round lies one column further in the table and this many positions further in
// the report.
constexpr std::int32_t RondeColumnStep = 10;

// The column at that place in the tournament table: a fixed column or a round's.
TReportColumn ReportColumnAt(int col);
// The width of a report player line: it runs to the end of the last round's field.
std::uintmax_t ReportLineWidth(int rondeCount);
