#pragma once

#include <cstdint>
#include <string_view>

// The byte-order marks an input file may start with.
inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view Utf16LEMark = "\xFF\xFE";
inline constexpr std::string_view Utf16BEMark = "\xFE\xFF";

constexpr bool StartsWithUtf16Mark(std::string_view bytes) {
  return bytes.starts_with(Utf16LEMark) || bytes.starts_with(Utf16BEMark);
}

// A NUL byte ends the text of any file but one in UTF-16, whose characters hold NUL bytes.
constexpr bool NulEndsText(std::string_view start) {
  return !StartsWithUtf16Mark(start);
}

// The bytes before the first NUL byte.
constexpr std::string_view UpToNul(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}
