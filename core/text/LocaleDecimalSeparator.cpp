#include "core/text/DecimalSeparator.h"

#include <clocale>

char LocaleDecimalSeparator() {
  char separator = '.';
  if (std::setlocale(LC_NUMERIC, "") != nullptr) {
    const std::lconv* conv = std::localeconv();
    if (conv != nullptr && conv->decimal_point != nullptr)
      separator = DecimalSeparatorFrom(conv->decimal_point).value_or('.');
  }
  std::setlocale(LC_NUMERIC, "C");
  return separator;
}
