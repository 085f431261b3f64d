#pragma once

#include <string>

// Fixed-point text with exactly one decimal and at least one digit before the separator,
// after rounding to 12 significant digits: 0.0, 3.5, 10.0.
std::string FormatFixed1(double value, char decimalSeparator);
