#include "core/reading/InputText.h"

#include "core/reading/TextBytes.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <algorithm>
#include <cstdint>

namespace {

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

// The kinds of replaced characters one line names each by itself; more kinds are counted with
// the last one named, so that a line of many scripts adds no more than these.
constexpr std::size_t MaxSoortenPerRegel = 8;

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
    Replace(code, TVervangSoort::Ontbreekt);
    FInput.Decoded += Vervanging(code);
    return true;
  }

  void AddOngeldig(char32_t unit) {
    Replace(unit, TVervangSoort::Ongeldig);
    FInput.Decoded += '?';
  }

  void AddCp1252Byte(char byte) {
    Replace(static_cast<unsigned char>(byte), TVervangSoort::Cp1252Byte);
    FInput.Decoded += byte;
  }

  // Bytes taken as they are, line ends included.
  void AddBytes(std::string_view bytes) {
    if (bytes.find_first_of("\r\n") != std::string_view::npos) FNewLine = true;
    FInput.Decoded += bytes;
  }

private:
  // Each kind of replaced character of a line is one finding, with how many of it the line
  // has; the line's kinds are remembered with the entry that names them, if it is kept.
  struct TSoort {
    char32_t Code;
    TVervangSoort Soort;
    std::size_t Entry;
  };
  static constexpr std::size_t NotKept = static_cast<std::size_t>(-1);

  void Replace(char32_t code, TVervangSoort soort) {
    if (FNewLine) {
      FNewLine = false;
      FSoorten.clear();
    }
    for (const TSoort& s : FSoorten)
      if (s.Code == code && s.Soort == soort) {
        if (s.Entry != NotKept) ++FInput.Vervangen[s.Entry].Aantal;
        return;
      }
    if (FSoorten.size() == MaxSoortenPerRegel) {
      if (FSoorten.back().Entry != NotKept) ++FInput.Vervangen[FSoorten.back().Entry].Aantal;
      return;
    }
    std::size_t entry = NotKept;
    if (FInput.Vervangen.size() < MaxVervangenBewaard) {
      entry = FInput.Vervangen.size();
      FInput.Vervangen.push_back(
          {static_cast<std::uint32_t>(FInput.Decoded.size()), code, 1, soort});
    } else {
      ++FInput.VervangenVerder;
    }
    FSoorten.push_back({code, soort, entry});
  }

  TInputText& FInput;
  bool FNewLine = true;
  std::vector<TSoort> FSoorten;
};

// Bytes that are not UTF-8 become '?', or with `cp1252` the code page 1252 characters they are.
void DecodeUtf8(std::string_view bytes, bool cp1252, TDecoder& decoder) {
  while (!bytes.empty()) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    char32_t code = lead;
    std::size_t length = 1;
    if (lead >= 0x80) length = DecodeUtf8Sequence(bytes, code);
    if (length == 0) {
      if (cp1252)
        decoder.AddCp1252Byte(bytes.front());
      else
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

// Whether the bytes up to the first NUL hold well-formed multi-byte UTF-8 sequences, and fewer
// bytes that are not UTF-8 than such sequences.
bool IsUtf8WithoutMark(std::string_view bytes) {
  std::string_view text = UpToNul(bytes);
  std::size_t sequences = 0;
  std::size_t stray = 0;
  for (;;) {
    // What comes before the next byte over 127 is plain ASCII.
    const auto high =
        std::find_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    if (high == text.end()) break;
    text.remove_prefix(static_cast<std::size_t>(high - text.begin()));
    char32_t code = 0;
    const std::size_t length = DecodeUtf8Sequence(text, code);
    if (length == 0) {
      ++stray;
      text.remove_prefix(1);
    } else {
      ++sequences;
      text.remove_prefix(length);
    }
  }
  return stray < sequences;
}

// Whether a line is well-formed UTF-8 with at least one sequence of more than one byte.
bool IsUtf8Regel(std::string_view line) {
  bool sequence = false;
  for (;;) {
    const auto high =
        std::find_if(line.begin(), line.end(), [](char c) { return (c & 0x80) != 0; });
    if (high == line.end()) return sequence;
    line.remove_prefix(static_cast<std::size_t>(high - line.begin()));
    char32_t code = 0;
    const std::size_t length = DecodeUtf8Sequence(line, code);
    if (length == 0) return false;
    sequence = true;
    line.remove_prefix(length);
  }
}

// The length of the line at the front of the text, and of the line end after it, as
// TLineReader reads them.
std::pair<std::size_t, std::size_t> NextLine(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
  std::size_t next = end;
  if (next < text.size() && text[next] == '\r') ++next;
  if (next < text.size() && text[next] == '\n') ++next;
  return {end, next - end};
}

// A text taken as code page 1252 may hold lines pasted from a program that writes UTF-8: each
// such line is decoded as UTF-8, the others stay byte for byte as they are.
void DecodeUtf8Regels(TInputText& input) {
  const std::string_view bytes = input.Cp1252Bytes;
  const auto isHigh = [](char c) { return (c & 0x80) != 0; };
  std::string_view rest = bytes;
  bool found = false;
  while (!found) {
    const auto high = std::find_if(rest.begin(), rest.end(), isHigh);
    if (high == rest.end()) return;
    // The line around the byte, from the last line end before it.
    const std::size_t at = static_cast<std::size_t>(high - bytes.begin());
    const std::size_t from = bytes.find_last_of("\r\n", at);
    const std::size_t begin = from == std::string_view::npos ? 0 : from + 1;
    const std::string_view line = bytes.substr(begin, NextLine(bytes.substr(begin)).first);
    found = IsUtf8Regel(line);
    rest = bytes.substr(begin + line.size());
  }
  TDecoder decoder(input, bytes.size());
  for (rest = bytes; !rest.empty();) {
    const auto [length, end] = NextLine(rest);
    const std::string_view line = rest.substr(0, length);
    if (std::any_of(line.begin(), line.end(), isHigh) && IsUtf8Regel(line)) {
      if (input.Utf8Regels.size() < MaxVervangenBewaard)
        input.Utf8Regels.push_back(static_cast<std::uint32_t>(input.Decoded.size()));
      else
        ++input.VervangenVerder;
      DecodeUtf8(line, false, decoder);
      decoder.AddBytes(rest.substr(length, end));
    } else {
      decoder.AddBytes(rest.substr(0, length + end));
    }
    rest.remove_prefix(length + end);
  }
  if (input.NulOffset) input.NulOffset = input.Decoded.size();
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

TBevinding VervangenTekenBevinding(const TVervangenTeken& teken, TTekstCodering codering,
                                   int regel) {
  TBevinding bevinding{TBevindingId::Count, regel, {}, teken.Aantal - 1};
  switch (teken.Soort) {
  case TVervangSoort::Ontbreekt: {
    const std::string_view vervanging = Vervanging(teken.Code);
    bevinding.Id =
        vervanging.empty() ? TBevindingId::TekenWeggelaten : TBevindingId::TekenVervangen;
    bevinding.Args = {Hex(teken.Code, teken.Code > 0xFFFF ? 6 : 4), std::string(vervanging)};
    break;
  }
  case TVervangSoort::Ongeldig: {
    const bool utf8 = codering == TTekstCodering::Utf8 || codering == TTekstCodering::Utf8Bom;
    bevinding.Id = TBevindingId::OngeldigeCodering;
    bevinding.Args = {utf8 ? "UTF-8" : "UTF-16", Hex(teken.Code, teken.Code > 0xFF ? 4 : 2)};
    break;
  }
  case TVervangSoort::Cp1252Byte:
    bevinding.Id = TBevindingId::GeenUtf8;
    bevinding.Args = {Hex(teken.Code, 2), std::string(1, static_cast<char>(teken.Code))};
    break;
  }
  return bevinding;
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
    input.Cp1252Bytes = UpToNul(bytes);
    if (input.Cp1252Bytes.size() < bytes.size()) input.NulOffset = input.Cp1252Bytes.size();
    DecodeUtf8Regels(input);
    break;
  }
  case TTekstCodering::Utf8:
  case TTekstCodering::Utf8Bom: {
    const std::string_view rest =
        input.Codering == TTekstCodering::Utf8Bom ? bytes.substr(Utf8Mark.size()) : bytes;
    TDecoder decoder(input, rest.size());
    DecodeUtf8(rest, input.Codering == TTekstCodering::Utf8, decoder);
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
