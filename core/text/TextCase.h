#pragma once

#include "core/text/Cp1252.h"

#include <string>
#include <string_view>

// The lower-case form of a code page 1252 text.
std::string LowerCp1252(std::string_view text);

// Compares code page 1252 texts without regard to case; equal texts in that sense are
// ordered by their bytes, so the order is total. Returns <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
