#pragma once

#include "core/reading/LoadOutcome.h"
#include "core/text/Bevinding.h"
#include "core/text/TekstCodering.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TVervangSoort : std::uint8_t {
  // A character code page 1252 lacks.
  Ontbreekt,
  // A byte or 16-bit unit the encoding does not allow: '?'.
  Ongeldig,
  // A byte that is not UTF-8 in a UTF-8 text without a mark: read as code page 1252.
  Cp1252Byte,
};

// A character of the file that code page 1252 lacks, or a sequence the file's encoding does
// not allow, and what took its place. One entry covers every such character of one line that
// is the same.
struct TVervangenTeken {
  // Where the first of them stands in the decoded text.
  std::uint32_t Offset = 0;
  // Its Unicode value, or the byte or 16-bit unit that was not well-formed.
  char32_t Code = 0;
  // How many characters of the line were replaced, this one included.
  std::int32_t Aantal = 1;
  TVervangSoort Soort = TVervangSoort::Ontbreekt;
};

// The replaced characters, and the lines read as UTF-8, whose entries are kept; the findings of
// further ones are only counted, as the error list shows no more than that many findings of a
// file.
inline constexpr std::size_t MaxVervangenBewaard = 10000;

// The finding of a replaced character, on the line it stands on.
TBevinding VervangenTekenBevinding(const TVervangenTeken& teken, TTekstCodering codering,
                                   int regel);

// The first bytes that decide whether a file is text.
inline constexpr std::size_t TextProbeSize = 4096;

// An input file's bytes read as text: decoded to code page 1252 up to the first NUL character,
// where the text ends.
struct TInputText {
  TTekstCodering Codering = TTekstCodering::Cp1252;
  // The file's bytes up to the first NUL when they are code page 1252 already; the decoded
  // text otherwise.
  std::string_view Cp1252Bytes;
  std::string Decoded;
  // Where a NUL character ended the text, when one did.
  std::optional<std::size_t> NulOffset;
  // In the order of their offsets, one per kind of character and line, the first
  // MaxVervangenBewaard of them.
  std::vector<TVervangenTeken> Vervangen;
  // In a text taken as code page 1252, where each line that was read as UTF-8 starts in the
  // decoded text, the first MaxVervangenBewaard of them.
  std::vector<std::uint32_t> Utf8Regels;
  // How many more replaced characters and lines read as UTF-8 there are.
  std::size_t VervangenVerder = 0;
  // A NUL character among the first TextProbeSize characters, or more than one in eight of them
  // a control character other than TAB, LF, CR, form feed and end of file (26).
  bool NotText = false;

  // Whether the text to read is the decoded one, not the file's bytes.
  bool IsDecoded() const { return Codering != TTekstCodering::Cp1252 || !Utf8Regels.empty(); }
  // The text to read.
  std::string_view Text() const { return IsDecoded() ? std::string_view(Decoded) : Cp1252Bytes; }
};

// Recognises the encoding by its byte-order mark (UTF-8, UTF-16 LE or BE), or as UTF-8 without
// one, else takes the bytes as code page 1252, and decodes them. The bytes must outlive the
// result.
TInputText DecodeInput(std::string_view bytes);
