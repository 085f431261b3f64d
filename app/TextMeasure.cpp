#include "app/TextMeasure.h"

#include "core/Cp1252.h"

#include <QFile>
#include <QFontDatabase>

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

TTextMeasure::TTextMeasure()
    : FBody(TableFont(TCellFont::Body)), FHeader(TableFont(TCellFont::Header)) {}

int TTextMeasure::operator()(std::string_view text, TCellFont font) {
  TCache& cache = font == TCellFont::Header ? FHeaderWidths : FBodyWidths;
  if (const auto found = cache.find(text); found != cache.end()) return found->second;
  const QFontMetrics& metrics = font == TCellFont::Header ? FHeader : FBody;
  const int width = metrics.horizontalAdvance(QString::fromUtf8(Cp1252ToUtf8(text)));
  cache.emplace(std::string(text), width);
  return width;
}
