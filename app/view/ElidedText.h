#pragma once

#include <QFontMetrics>
#include <QString>

// The text on one line as far as it fits the width, ending in an ellipsis where it was cut. A
// text of megabytes is cut to what the width could hold before it is laid out, so the cost
// grows with the width and not with the text.
QString ElidedText(const QString& text, const QFontMetrics& metrics, int width);
