#include "cli/ConvertCommand.h"

#include <clocale>
#include <cstring>

char LocaleDecimalSeparator() {
  char sep = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr &&
        std::strlen(conv->decimal_point) == 1) {
      sep = conv->decimal_point[0];
    }
  }
  std::setlocale(LC_NUMERIC, "C");
  return sep;
}
