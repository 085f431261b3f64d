#pragma once

#include <optional>
#include <string_view>

// The decimal separator of the reports is "," or "."; every front end takes it from here.

// The separator a text names: its one character when that is "," or ".", else none.
std::optional<char> DecimalSeparatorFrom(std::string_view text);

// The separator of the user's numeric locale, or "." when that locale has neither of the two.
// Leaves the program's numeric locale at "C", so that no other code formats numbers by it.
char LocaleDecimalSeparator();
