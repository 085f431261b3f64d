#include "app/view/TextMeasure.h"
#include "core/text/Cp1252.h"

#include <QFontMetrics>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Every field of the sample tournaments, and texts that put accented letters and digits side
// by side the way dates, names and round cells do.
std::vector<std::string> TableTexts() {
  std::vector<std::string> texts = {"01.07.1991",
                                    "2009-10-03",
                                    "12 z =",
                                    "Ab, Cd",
                                    "r12",
                                    "Opmerking",
                                    "Fout",
                                    "xxx",
                                    "AVAWAT",
                                    "T\xE9, \xCBlo",
                                    "van \xC9ijk, \xD6zlem",
                                    "ff fi fl",
                                    ""};
  for (const auto& entry : std::filesystem::directory_iterator(MORVELANDER_EXAMPLES)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::string field;
    for (const char c : bytes) {
      if (c == ';' || c == '\r' || c == '\n') {
        if (!field.empty()) texts.push_back(field);
        field.clear();
      } else {
        field += c;
      }
    }
  }
  return texts;
}

} // namespace

class TextMeasureTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { RegisterTableFonts(); }
  void measuresLikeTheFontEngine_data();
  void measuresLikeTheFontEngine();
};

void TextMeasureTest::measuresLikeTheFontEngine_data() {
  QTest::addColumn<bool>("header");
  QTest::newRow("body font") << false;
  QTest::newRow("header font") << true;
}

// The sum of advances and pair kerning must give the width the engine gives the whole text,
// or fitted columns would cut or pad texts.
void TextMeasureTest::measuresLikeTheFontEngine() {
  QFETCH(bool, header);
  const TCellFont font = header ? TCellFont::Header : TCellFont::Body;
  const QFontMetrics engine(TableFont(font));
  TTextMeasure measure;
  std::vector<std::string> texts = TableTexts();
  for (int a = 32; a < 256; ++a)
    for (int b = 32; b < 256; ++b) texts.push_back({static_cast<char>(a), static_cast<char>(b)});
  for (const std::string& text : texts) {
    const int want = engine.horizontalAdvance(QString::fromUtf8(Cp1252ToUtf8(text)));
    if (measure(text, font) != want)
      QFAIL(qPrintable(QStringLiteral("\"%1\": %2, the engine %3")
                           .arg(QString::fromUtf8(Cp1252ToUtf8(text)))
                           .arg(measure(text, font))
                           .arg(want)));
  }
}

QTEST_MAIN(TextMeasureTest)
#include "TextMeasureTest.moc"
