#include "core/text/ErrorBoxText.h"

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + '.';
  return text;
}
