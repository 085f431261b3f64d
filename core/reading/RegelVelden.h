#pragma once

#include "core/reading/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What preparing a line found: how many characters the quotes of its cells took, and whether a
// cell between quotes held a TAB.
struct TRegelQuotes {
  std::size_t Quotes = 0;
  bool TabInCel = false;
};

// A line as the reader works on it: trimmed, its fields separated by TAB, and one TAB
// appended; ";" and TAB both separate fields. A field wholly between double quotes, as
// spreadsheets write their cells, is read without them: a doubled quote inside is one quote, a
// ";" inside is text and a TAB inside a blank. The buffer is reused from line to line.
TRegelQuotes PrepareLine(std::string_view line, std::string& prepared);

// Whether a line ends inside a cell that opens with a quote and has no closing quote on it, as
// a spreadsheet writes a cell with a line break: open tells that the line starts inside such a
// cell. Broken when the quote that would close it is followed by more text in the same field.
enum class TCelStand : std::uint8_t { Dicht, Open, Gebroken };
TCelStand CelStand(std::string_view line, bool open);
// A line that ends inside a cell between quotes, joined with the lines the cell runs on to
// (listed in vervolg), each line break read as one blank, as a spreadsheet writes a cell with
// a line break. False, and nothing joined, when no quote closes the cell within MaxCelRegels
// lines; else the reader stands after the lines joined.
inline constexpr std::size_t MaxCelRegels = 8;
bool JoinCel(TLineReader& reader, std::string_view line, std::string& joined,
             std::vector<std::string_view>& vervolg);
// The rest of a header record as one field: separators dropped, trimmed, one TAB appended.
std::string JoinFields(std::string_view rest);
