#pragma once

#include "core/text/Cp1252.h"

#include <QString>

#include <string>

// A text of the program (code page 1252) as Qt shows it.
inline QString CatalogueText(const std::string& cp1252) {
  return QString::fromUtf8(Cp1252ToUtf8(cp1252));
}
