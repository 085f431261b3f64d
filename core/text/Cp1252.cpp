#include "core/text/Cp1252.h"

#include <cstdint>

namespace {

// Unicode of the bytes 0x80-0x9F; the five bytes that code page 1252 leaves undefined keep
// their C1 control code.
constexpr char32_t HighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? HighTable[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

} // namespace

std::optional<char> Cp1252Char(char32_t code) {
  if (code < 0x100 && ToUnicode(static_cast<unsigned char>(code)) == code)
    return static_cast<char>(code);
  for (int i = 0; i < 32; ++i)
    if (HighTable[i] == code) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

std::size_t DecodeUtf8Sequence(std::string_view text, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
    min = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return 0;
    code = (code << 6) | (byte & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8Sequence(text, code);
    if (length == 0) {
      out += text.front();
      text.remove_prefix(1);
    } else {
      out += Cp1252Char(code).value_or('?');
      text.remove_prefix(length);
    }
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    char32_t code = 0;
    std::size_t length = 1;
    if (static_cast<unsigned char>(text.front()) >= 0x80) {
      length = DecodeUtf8Sequence(text, code);
      if (length == 0) return false;
    }
    text.remove_prefix(length);
  }
  return true;
}

char LowerCp1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  // Latin-1 capitals, leaving out the multiplication sign.
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  switch (u) {
  case 0x8A: // S caron
  case 0x8C: // OE
  case 0x8E: // Z caron
    return static_cast<char>(u + 0x10);
  case 0x9F: // Y diaeresis
    return static_cast<char>(0xFF);
  default:
    return c;
  }
}

char UpperCp1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  // Latin-1 small letters, leaving out the division sign; sharp s has no capital.
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  switch (u) {
  case 0x9A:
  case 0x9C:
  case 0x9E:
    return static_cast<char>(u - 0x10);
  case 0xFF:
    return static_cast<char>(0x9F);
  default:
    return c;
  }
}

std::string PathText(const std::filesystem::path& path) {
  return Utf8ToCp1252(path.string());
}

std::string FileNameText(const std::filesystem::path& path) {
  return Utf8ToCp1252(path.filename().string());
}
