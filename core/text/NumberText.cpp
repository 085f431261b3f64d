#include "core/text/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string FormatFixed1(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  // The 12 significant digits d.ddddddddddd and the power of ten of the first one.
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.11e", std::fabs(value));
  std::string digits(1, buf[0]);
  digits.append(buf + 2, 11);
  const long exponent = std::strtol(buf + 14, nullptr, 10);

  // Put the decimal point after `whole` digits, with at least one digit before it.
  long whole = exponent + 1;
  if (whole < 1) {
    digits.insert(0, static_cast<std::size_t>(1 - whole), '0');
    whole = 1;
  }
  const auto kept = static_cast<std::size_t>(whole + 1);
  if (digits.size() < kept + 1) digits.resize(kept + 1, '0');

  // Round the decimal digits half away from zero, so no binary residue decides.
  const bool roundUp = digits[kept] >= '5';
  digits.resize(kept);
  if (roundUp) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0)
      digits.insert(0, 1, '1');
    else
      ++digits[i - 1];
  }

  std::size_t lead = 0;
  while (lead + 2 < digits.size() && digits[lead] == '0') ++lead;
  digits.erase(0, lead);

  std::string out;
  if (value < 0 && digits.find_first_not_of('0') != std::string::npos) out += '-';
  out.append(digits, 0, digits.size() - 1);
  out += decimalSeparator;
  out += digits.back();
  return out;
}
