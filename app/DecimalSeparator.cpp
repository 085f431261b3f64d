#include "app/DecimalSeparator.h"

#include <clocale>

char UserDecimalSeparator() {
  char separator = '.';
  if (std::setlocale(LC_NUMERIC, "")) {
    const std::lconv* conv = std::localeconv();
    if (conv && conv->decimal_point && conv->decimal_point[0] != '\0' &&
        conv->decimal_point[1] == '\0')
      separator = conv->decimal_point[0];
  }
  std::setlocale(LC_NUMERIC, "C");
  return separator;
}
