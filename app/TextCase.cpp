#include "app/TextCase.h"

#include <algorithm>

char LowerCp1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  // Latin-1 capitals, leaving out the multiplication sign.
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  switch (u) {
  case 0x8A:
    return static_cast<char>(0x9A); // S caron
  case 0x8C:
    return static_cast<char>(0x9C); // OE
  case 0x8E:
    return static_cast<char>(0x9E); // Z caron
  case 0x9F:
    return static_cast<char>(0xFF); // Y diaeresis
  default:
    return c;
  }
}

std::string LowerCp1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerCp1252(c);
  return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(LowerCp1252(a[i]));
    const auto y = static_cast<unsigned char>(LowerCp1252(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}
