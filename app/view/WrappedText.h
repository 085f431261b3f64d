#pragma once

#include <QFontMetrics>
#include <QString>

// The text broken into lines no wider than the width: at blanks where it can be, inside a word
// that is wider than the width on its own. Line ends of the text are kept.
QString WrappedText(const QString& text, const QFontMetrics& metrics, int width);
