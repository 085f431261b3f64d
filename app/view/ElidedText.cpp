#include "app/view/ElidedText.h"

#include <algorithm>

namespace {

// No character is narrower than half a pixel.
constexpr qsizetype CharsPerPixel = 2;
const QChar Ellipsis(0x2026);

} // namespace

QString ElidedText(const QString& text, const QFontMetrics& metrics, int width) {
  const qsizetype most = static_cast<qsizetype>(std::max(width, 0)) * CharsPerPixel + 1;
  // A text cut short ends in an ellipsis even where the part kept would fit.
  if (text.size() > most)
    return metrics.elidedText(text.left(most) + Ellipsis, Qt::ElideRight, width);
  return metrics.elidedText(text, Qt::ElideRight, width);
}
