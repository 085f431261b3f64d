#pragma once

#include "table/CellTable.h"

#include <QFont>
#include <QFontMetrics>

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Registers the Tahoma font files when the system has them, and lets the window's
// "MS Sans Serif" fall back to Tahoma.
void RegisterTableFonts();
// Tahoma of 11 pixels, bold for header cells; the system's sans when Tahoma is missing.
QFont TableFont(TCellFont font);

// Measures cell texts in pixels with the table fonts. A long file has hundreds of thousands of
// distinct texts, so a width is added up from the advance of each character and the kerning of
// each pair of neighbours, both in 1/64 pixel as the font engine keeps them, and rounded once at
// the end as the engine does; a pair is asked of the engine the first time it occurs.
class TTextMeasure {
public:
  TTextMeasure();
  int operator()(std::string_view text, TCellFont font);

private:
  class TFontTable {
  public:
    explicit TFontTable(const QFont& font);
    int Width(std::string_view text);

  private:
    int Kerning(unsigned char left, unsigned char right);

    QFontMetricsF FMetrics;
    std::array<QChar, 256> FChars;
    std::array<int, 256> FAdvance;
    std::vector<int> FKerning;
  };

  TFontTable FBody;
  TFontTable FHeader;
};
