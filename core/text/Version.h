#pragma once

#include <string>

inline constexpr double ProgramVersion = 0.1;
inline constexpr const char* ProgramDate = "2009-11-08";

// The version as the caption and the report footer show it: "0.1 (2009-11-08)".
std::string VersionText(char decimalSeparator);
