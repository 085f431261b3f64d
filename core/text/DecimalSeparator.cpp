#include "core/text/DecimalSeparator.h"

std::optional<char> DecimalSeparatorFrom(std::string_view text) {
  if (text == "," || text == ".") return text[0];
  return std::nullopt;
}
