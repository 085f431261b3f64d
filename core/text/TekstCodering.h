#pragma once

// The encodings an input file is read in. Every one is decoded to code page 1252 before its
// records are read.
enum class TTekstCodering {
  Cp1252,
  // Without a byte-order mark: well-formed multi-byte UTF-8 sequences, and fewer bytes that
  // are not UTF-8 than such sequences. A code page 1252 text with accented letters
  // practically never has one; a UTF-8 text with a name typed in another editor has a few
  // stray bytes, which are read as code page 1252.
  Utf8,
  Utf8Bom,
  Utf16LE,
  Utf16BE,
};
