#pragma once

#include "table/CellTable.h"

#include <QFont>
#include <QFontMetrics>

#include <string>
#include <string_view>
#include <unordered_map>

// Registers the Tahoma font files when the system has them, and lets the window's
// "MS Sans Serif" fall back to Tahoma.
void RegisterTableFonts();
// Tahoma of 11 pixels, bold for header cells; the system's sans when Tahoma is missing.
QFont TableFont(TCellFont font);

// Measures cell texts in pixels with the table fonts. Fitting a long file measures the same
// few texts many times, so every width is kept per distinct text.
class TTextMeasure {
public:
  TTextMeasure();
  int operator()(std::string_view text, TCellFont font);

private:
  struct THash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  using TCache = std::unordered_map<std::string, int, THash, std::equal_to<>>;

  QFontMetrics FBody;
  QFontMetrics FHeader;
  TCache FBodyWidths;
  TCache FHeaderWidths;
};
