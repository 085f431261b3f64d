#include "core/text/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(Cp1252ToUtf8, MapsEveryByteToItsCharacter) {
  const struct {
    const char* cp1252;
    const char* utf8;
  } cases[] = {
      {"abc", "abc"},
      {"\x80", "\u20AC"},
      {"\x81", "\xC2\x81"},
      {"\x82\x83\x84\x85", "\u201A\u0192\u201E\u2026"},
      {"\x8A\x8C\x8D\x8E\x8F", "\u0160\u0152\xC2\x8D\u017D\xC2\x8F"},
      {"\x90\x91\x92\x93\x94", "\xC2\x90\u2018\u2019\u201C\u201D"},
      {"\x96\x97\x99\x9D\x9F", "\u2013\u2014\u2122\xC2\x9D\u0178"},
      {"\xA0\xE9\xEB\xFF", "\u00A0\u00E9\u00EB\u00FF"},
      {"Ren\xE9 Dani\xEBls", "Ren\u00E9 Dani\u00EBls"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
  }
}

TEST(Utf8ToCp1252, RoundTripsEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Utf8ToCp1252, ReplacesMissingCharactersAndKeepsStrayBytes) {
  const struct {
    const char* name;
    std::string utf8;
    std::string cp1252;
  } cases[] = {
      {"not in the code page", "\u0100\u4E2D", "??"},
      {"C1 control that 0x80 does not hold", "\xC2\x80", "?"},
      {"four-byte character", "a\U0001F600b", "a?b"},
      {"lone Latin-1 byte", "caf\xE9", "caf\xE9"},
      {"cut-off sequence", "\xE2\x82", "\xE2\x82"},
      {"overlong slash", "\xC0\xAF", "\xC0\xAF"},
      {"overlong three bytes", "\xE0\x80\xAF", "\xE0\x80\xAF"},
      {"surrogate", "\xED\xA0\x80", "\xED\xA0\x80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\xF4\x90\x80\x80"},
      {"stray continuation", "\x80x", "\x80x"},
      {"NUL", "a\0b"s, "a\0b"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
  }
}

TEST(PathText, ShowsPathsInTheCodePage) {
  const std::filesystem::path path = "/data/Caf\u00E9/Ren\u00E9 \u20AC.csv";
  EXPECT_EQ(PathText(path), "/data/Caf\xE9/Ren\xE9 \x80.csv");
  EXPECT_EQ(FileNameText(path), "Ren\xE9 \x80.csv");
  EXPECT_EQ(FileNameText("/data/InBox/"), "");
}

} // namespace

namespace {

TEST(Cp1252Case, PairsEveryLetterWithItsOtherCase) {
  const struct {
    char Upper;
    char Lower;
  } pairs[] = {{'A', 'a'},       {'Z', 'z'},       {'\xC0', '\xE0'}, {'\xDE', '\xFE'},
               {'\x8A', '\x9A'}, {'\x8C', '\x9C'}, {'\x8E', '\x9E'}, {'\x9F', '\xFF'}};
  for (const auto& p : pairs) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(p.Upper)));
    EXPECT_EQ(LowerCp1252(p.Upper), p.Lower);
    EXPECT_EQ(UpperCp1252(p.Lower), p.Upper);
  }
  // Everything else, the multiplication and division signs and sharp s among it, stays.
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    if (LowerCp1252(c) != c) {
      EXPECT_EQ(UpperCp1252(LowerCp1252(c)), c) << b;
    }
    if (UpperCp1252(c) != c) {
      EXPECT_EQ(LowerCp1252(UpperCp1252(c)), c) << b;
    }
  }
  for (const char c : {'\xD7', '\xF7', '\xDF', '1', ','}) {
    EXPECT_EQ(LowerCp1252(c), c);
    EXPECT_EQ(UpperCp1252(c), c);
  }
}

} // namespace
