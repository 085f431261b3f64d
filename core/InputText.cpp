#include "core/InputText.h"

#include "core/Cp1252.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEMark = "\xFF\xFE";
constexpr std::string_view Utf16BEMark = "\xFE\xFF";

// The letters of U+0100-U+017F without their accents; the code page's own letters of that
// block never get here.
constexpr std::string_view LatinExtendedA = "AaAaAaCcCcCcCcDd"
                                            "DdEeEeEeEeEeGgGg"
                                            "GgGgHhHhIiIiIiIi"
                                            "Ii??JjKkkLlLlLlL"
                                            "lLlNnNnNnnNnOoOo"
                                            "OoOoRrRrRrSsSsSs"
                                            "SsTtTtTtUuUuUuUu"
                                            "UuUuWwYyYZzZzZzs";

// What stands for a character that code page 1252 lacks: the letter without its accent where
// it has one, a hyphen for dashes, a blank for wide blanks; combining accents and characters
// of no width are left out; anything else is '?'.
std::string_view Vervanging(char32_t code) {
  if (code == 0x0132) return "IJ";
  if (code == 0x0133) return "ij";
  if (code >= 0x0100 && code <= 0x017F) return LatinExtendedA.substr(code - 0x0100, 1);
  if (code >= 0x0218 && code <= 0x021B) return std::string_view("SsTt").substr(code - 0x0218, 1);
  if ((code >= 0x0300 && code <= 0x036F) || (code >= 0x200B && code <= 0x200D) || code == 0x2060 ||
      code == 0xFEFF)
    return {};
  if ((code >= 0x2010 && code <= 0x2012) || code == 0x2015 || code == 0x2212) return "-";
  if (code >= 0x2000 && code <= 0x200A) return " ";
  return "?";
}

// Builds the decoded text and its replacements character by character.
class TDecoder {
public:
  explicit TDecoder(TInputText& input, std::size_t reserve) : FInput(input) {
    FInput.Decoded.reserve(reserve);
  }

  // False once a NUL character has ended the text.
  bool Add(char32_t code) {
    if (code == 0) {
      FInput.NulOffset = FInput.Decoded.size();
      return false;
    }
    if (code == '\r' || code == '\n') FNewLine = true;
    if (const std::optional<char> c = Cp1252Char(code)) {
      FInput.Decoded += *c;
      return true;
    }
    Replace(code, false, Vervanging(code));
    return true;
  }

  void AddOngeldig(char32_t unit) { Replace(unit, true, "?"); }

private:
  void Replace(char32_t code, bool ongeldig, std::string_view vervanging) {
    if (!FNewLine && !FInput.Vervangen.empty()) {
      ++FInput.Vervangen.back().Aantal;
    } else {
      FInput.Vervangen.push_back({FInput.Decoded.size(), code, ongeldig, vervanging, 1});
      FNewLine = false;
    }
    FInput.Decoded += vervanging;
  }

  TInputText& FInput;
  bool FNewLine = true;
};

void DecodeUtf8(std::string_view bytes, TDecoder& decoder) {
  while (!bytes.empty()) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    char32_t code = lead;
    std::size_t length = 1;
    if (lead >= 0x80) length = DecodeUtf8Sequence(bytes, code);
    if (length == 0) {
      decoder.AddOngeldig(lead);
      length = 1;
    } else if (!decoder.Add(code)) {
      return;
    }
    bytes.remove_prefix(length);
  }
}

void DecodeUtf16(std::string_view bytes, bool bigEndian, TDecoder& decoder) {
  const auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        if (!decoder.Add(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00))) return;
        i += 2;
        continue;
      }
    }
    if (unit >= 0xD800 && unit <= 0xDFFF)
      decoder.AddOngeldig(unit);
    else if (!decoder.Add(unit))
      return;
  }
  if (i < bytes.size()) decoder.AddOngeldig(static_cast<unsigned char>(bytes[i]));
}

// Whether the bytes up to the first NUL are well-formed UTF-8 with a multi-byte sequence.
bool IsUtf8WithoutMark(std::string_view bytes) {
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  // What comes before the first byte over 127 is plain ASCII.
  const auto high = std::find_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
  return high != text.end() && IsUtf8(text.substr(static_cast<std::size_t>(high - text.begin())));
}

bool IsNotText(std::string_view text, bool endsInProbe) {
  if (endsInProbe) return true;
  const std::string_view probe = text.substr(0, TextProbeSize);
  std::size_t controls = 0;
  for (const char c : probe) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' && byte != 26)
      ++controls;
  }
  return controls * 8 > probe.size();
}

std::string Hex(char32_t value, int digits) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int k = digits - 1; k >= 0; --k, value >>= 4)
    text[static_cast<std::size_t>(k)] = Digits[value & 0xF];
  return text;
}

} // namespace

std::string_view CoderingNaam(TTekstCodering codering) {
  switch (codering) {
  case TTekstCodering::Cp1252:
    return "code page 1252";
  case TTekstCodering::Utf8:
    return "UTF-8";
  case TTekstCodering::Utf8Bom:
    return "UTF-8 met BOM";
  case TTekstCodering::Utf16LE:
    return "UTF-16 LE";
  case TTekstCodering::Utf16BE:
    return "UTF-16 BE";
  }
  return {};
}

std::string VervangenTekenText(const TVervangenTeken& teken, TTekstCodering codering) {
  std::string text;
  if (!teken.Ongeldig) {
    text = "Teken U+" + Hex(teken.Code, teken.Code > 0xFFFF ? 6 : 4) +
           " bestaat niet in code page 1252: ";
  } else {
    const bool utf8 = codering == TTekstCodering::Utf8 || codering == TTekstCodering::Utf8Bom;
    text = "Ongeldige " + std::string(utf8 ? "UTF-8" : "UTF-16") + " (" +
           Hex(teken.Code, teken.Code > 0xFF ? 4 : 2) + "): ";
  }
  text += teken.Vervanging.empty() ? "weggelaten"
                                   : "vervangen door \"" + std::string(teken.Vervanging) + "\"";
  if (teken.Aantal > 1) text += " (en nog " + std::to_string(teken.Aantal - 1) + " op deze regel)";
  return text;
}

std::string NulTekenText() {
  return "NUL-teken op deze regel: de rest van het bestand is niet gelezen";
}

TInputText DecodeInput(std::string_view bytes) {
  TInputText input;
  if (bytes.starts_with(Utf8Mark)) {
    input.Codering = TTekstCodering::Utf8Bom;
  } else if (bytes.starts_with(Utf16LEMark)) {
    input.Codering = TTekstCodering::Utf16LE;
  } else if (bytes.starts_with(Utf16BEMark)) {
    input.Codering = TTekstCodering::Utf16BE;
  } else if (IsUtf8WithoutMark(bytes)) {
    input.Codering = TTekstCodering::Utf8;
  }

  switch (input.Codering) {
  case TTekstCodering::Cp1252: {
    const std::size_t nul = bytes.find('\0');
    input.Cp1252Bytes = bytes.substr(0, nul);
    if (nul != std::string_view::npos) input.NulOffset = nul;
    break;
  }
  case TTekstCodering::Utf8:
  case TTekstCodering::Utf8Bom: {
    const std::string_view rest =
        input.Codering == TTekstCodering::Utf8Bom ? bytes.substr(Utf8Mark.size()) : bytes;
    TDecoder decoder(input, rest.size());
    DecodeUtf8(rest, decoder);
    break;
  }
  case TTekstCodering::Utf16LE:
  case TTekstCodering::Utf16BE: {
    const std::string_view rest = bytes.substr(Utf16LEMark.size());
    TDecoder decoder(input, rest.size() / 2);
    DecodeUtf16(rest, input.Codering == TTekstCodering::Utf16BE, decoder);
    break;
  }
  }
  input.NotText = IsNotText(input.Text(), input.NulOffset && *input.NulOffset < TextProbeSize);
  return input;
}
