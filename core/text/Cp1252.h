#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The program's text is code page 1252; these are the only conversions to and from Unicode.
std::string Cp1252ToUtf8(std::string_view text);
// Characters that code page 1252 lacks become '?'; bytes that are not UTF-8 are taken as
// code page 1252 already.
std::string Utf8ToCp1252(std::string_view text);

// The code page 1252 byte of a Unicode character, or none when the code page lacks it.
std::optional<char> Cp1252Char(char32_t code);
// The length of the well-formed multi-byte UTF-8 sequence at the front of the text, its value
// in `code`; 0 when the front is not one (overlong forms and surrogates included).
std::size_t DecodeUtf8Sequence(std::string_view text, char32_t& code);

// Whether the bytes are well-formed UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view text);

// A code page 1252 letter in the other case; every other character stays as it is.
char LowerCp1252(char c);
char UpperCp1252(char c);

// A file-system path as the program shows it: code page 1252 text.
std::string PathText(const std::filesystem::path& path);
// The file name without folder, as the program shows it.
std::string FileNameText(const std::filesystem::path& path);
