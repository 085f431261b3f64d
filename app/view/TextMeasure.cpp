#include "app/view/TextMeasure.h"

#include "core/text/Cp1252.h"

#include <QFile>
#include <QFontDatabase>

#include <limits>

void RegisterTableFonts() {
  for (const char* file :
       {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
    if (QFile::exists(QString::fromLatin1(file)))
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"));
}

QFont TableFont(TCellFont font) {
  QFont result(QStringLiteral("Tahoma"));
  result.setStyleHint(QFont::SansSerif);
  result.setPixelSize(11);
  result.setBold(font == TCellFont::Header);
  return result;
}

namespace {

// A pair whose kerning the engine has not been asked for yet.
constexpr int Unknown = std::numeric_limits<int>::min();

int Fixed64(qreal pixels) {
  return qRound(pixels * 64);
}

} // namespace

TTextMeasure::TFontTable::TFontTable(const QFont& font)
    : FMetrics(font), FKerning(256 * 256, Unknown) {
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const QString text = QString::fromUtf8(Cp1252ToUtf8(std::string_view(&byte, 1)));
    FChars[static_cast<std::size_t>(b)] = text.isEmpty() ? QChar() : text.front();
    FAdvance[static_cast<std::size_t>(b)] =
        Fixed64(FMetrics.horizontalAdvance(FChars[static_cast<std::size_t>(b)]));
  }
}

int TTextMeasure::TFontTable::Kerning(unsigned char left, unsigned char right) {
  int& kerning = FKerning[static_cast<std::size_t>(left) * 256 + right];
  if (kerning == Unknown) {
    const QChar chars[] = {FChars[left], FChars[right]};
    const QString pair(chars, 2);
    kerning = Fixed64(FMetrics.horizontalAdvance(pair)) - FAdvance[left] - FAdvance[right];
  }
  return kerning;
}

int TTextMeasure::TFontTable::Width(std::string_view text) {
  int width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    width += FAdvance[byte];
    if (i > 0) width += Kerning(static_cast<unsigned char>(text[i - 1]), byte);
  }
  // Rounded to whole pixels once, as the engine rounds a whole text.
  return (width + 32) >> 6;
}

TTextMeasure::TTextMeasure()
    : FBody(TableFont(TCellFont::Body)), FHeader(TableFont(TCellFont::Header)) {}

int TTextMeasure::operator()(std::string_view text, TCellFont font) {
  return (font == TCellFont::Header ? FHeader : FBody).Width(text);
}
