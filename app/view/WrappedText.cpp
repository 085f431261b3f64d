#include "app/view/WrappedText.h"

#include <QStringList>

namespace {

// Breaks one line of the text, adding its lines to `out`.
void WrapLine(const QString& line, const QFontMetrics& metrics, int width, QStringList& out) {
  QString current;
  int used = 0;
  const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
  for (const QString& word : line.split(QLatin1Char(' '))) {
    const int wide = metrics.horizontalAdvance(word);
    if (!current.isEmpty() && used + blank + wide <= width) {
      current += QLatin1Char(' ') + word;
      used += blank + wide;
      continue;
    }
    if (!current.isEmpty()) out.push_back(current);
    current.clear();
    used = 0;
    // A word wider than a line fills lines of its own, character by character.
    for (const QChar c : word) {
      const int advance = metrics.horizontalAdvance(c);
      if (!current.isEmpty() && used + advance > width) {
        out.push_back(current);
        current.clear();
        used = 0;
      }
      current += c;
      used += advance;
    }
  }
  out.push_back(current);
}

} // namespace

QString WrappedText(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) WrapLine(line, metrics, width, lines);
  return lines.join(QLatin1Char('\n'));
}
