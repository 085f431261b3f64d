#pragma once

#include <string>
#include <string_view>

// The lower-case form of one code page 1252 character; other characters stay as they are.
char LowerCp1252(char c);
std::string LowerCp1252(std::string_view text);

// Compares code page 1252 texts without regard to case; equal texts in that sense are
// ordered by their bytes, so the order is total. Returns <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
