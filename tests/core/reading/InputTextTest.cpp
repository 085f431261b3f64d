#include "core/reading/InputText.h"

#include "core/run/Conversion.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"
#include "core/tournament/CoreUI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// Accented names, the euro sign and one game with an illegal result (line 9).
const std::string Cp1252Csv = "012;Toernooi Zw\xF6lf\r\n022;Assen\r\n032;NED\r\n042;03-10-2009\r\n"
                              "052;10-10-2009\r\n102;Jo\xEBl de Vries\r\n122;60 \x80 inleg\r\n"
                              "900;1;03-10-2009;1;2;1;Dani\xEBl, Ren\xE9;\xC9mile, Zo\xEB;;\r\n"
                              "900;2;10-10-2009;1;2;7;Dani\xEBl, Ren\xE9;\xC9mile, Zo\xEB;;\r\n";

// UTF-16 with its byte-order mark, of a code page 1252 text whose only character above 0x7F
// outside Latin-1 is the euro sign.
std::string Utf16(const std::string& cp1252, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : cp1252) {
    const unsigned unit = c == '\x80' ? 0x20AC : static_cast<unsigned char>(c);
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

struct TRead {
  TLoadOutcome Outcome;
  std::vector<std::string> Report;
  std::vector<std::string> Errors;
  std::string Status;
  TTekstCodering Codering;
};

TRead Read(const std::string& bytes) {
  TCoreUI ui;
  TConversion conversion(ui);
  const TConvertResult result = conversion.OpenBytes("Zwolle.csv", bytes);
  TRead read{result.Load.Outcome,
             conversion.Toernooi.ReportLines,
             {},
             LoadStatusText(result.Load.Fouten, result.Load.Codering),
             conversion.Toernooi.Codering()};
  for (int r = 1; r < conversion.ErrorGrid.RowCount() - 1; ++r)
    read.Errors.push_back(std::string(conversion.ErrorGrid.GetCell(1, r)) + " " +
                          std::string(conversion.ErrorGrid.GetCell(2, r)));
  return read;
}

TEST(LoadEncodings, GiveTheReportAndErrorListOfTheCodePage1252File) {
  const TRead want = Read(Cp1252Csv);
  ASSERT_EQ(want.Errors, (std::vector<std::string>{"9 Niet legale uitslag.", " Zwolle.csv"}));
  ASSERT_EQ(want.Report[0], "012 Toernooi Zw\xF6lf");
  EXPECT_EQ(want.Status, "1 fout");
  const std::string utf8 = Cp1252ToUtf8(Cp1252Csv);
  const struct {
    const char* Name;
    std::string Bytes;
    TTekstCodering Codering;
  } cases[] = {
      {"UTF-8", utf8, TTekstCodering::Utf8},
      {"UTF-8 met BOM", "\xEF\xBB\xBF" + utf8, TTekstCodering::Utf8Bom},
      {"UTF-16 LE", Utf16(Cp1252Csv, false), TTekstCodering::Utf16LE},
      {"UTF-16 BE", Utf16(Cp1252Csv, true), TTekstCodering::Utf16BE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TRead read = Read(c.Bytes);
    EXPECT_EQ(read.Outcome, TLoadOutcome::Read);
    EXPECT_EQ(read.Codering, c.Codering);
    EXPECT_EQ(read.Report, want.Report);
    EXPECT_EQ(read.Errors, want.Errors);
    EXPECT_EQ(read.Status, "1 fout (gelezen als " + std::string(c.Name) + ")");
  }
}

TEST(LoadEncodings, ReplaceACharacterOutsideCodePage1252WithAFindingOnItsLine) {
  std::string utf8 = Cp1252ToUtf8(Cp1252Csv);
  utf8.replace(utf8.find("Dani"), 4, "\xC5\x81ukasz Dani"); // U+0141, in the first game
  const TRead read = Read(utf8);
  EXPECT_EQ(read.Errors, (std::vector<std::string>{
                             "8 Teken U+0141 bestaat niet in code page 1252: vervangen door \"L\"",
                             "9 Niet legale uitslag.", " Zwolle.csv"}));
  EXPECT_EQ(std::count_if(read.Report.begin(), read.Report.end(),
                          [](const std::string& line) {
                            return line.find("Lukasz Dani\xEBl, Ren\xE9") != std::string::npos;
                          }),
            1);
}

// A UTF-8 file with a name typed in another editor: its code page 1252 byte is read as such
// with a finding on its line, and every other accented name as UTF-8. Two such bytes among two
// UTF-8 letters leave the file code page 1252.
TEST(LoadEncodings, ReadAStrayByteInUtf8AsCodePage1252) {
  const TRead want = Read(Cp1252Csv);
  std::string utf8 = Cp1252ToUtf8(Cp1252Csv);
  utf8.replace(utf8.find("Jo\xC3\xABl"), 5, "Jo\xEBl"); // line 6
  const TRead read = Read(utf8);
  EXPECT_EQ(read.Codering, TTekstCodering::Utf8);
  EXPECT_EQ(read.Report, want.Report);
  EXPECT_EQ(read.Errors, (std::vector<std::string>{
                             "6 Byte EB is geen UTF-8: gelezen als \"\xEB\" (code page 1252)",
                             "9 Niet legale uitslag.", " Zwolle.csv"}));
  EXPECT_EQ(read.Status, "2 fout (gelezen als UTF-8)");

  const std::string mostlyCp1252 = "012;Ren\xE9 \xC3\xA9\xE9\xE9\xC3\xA9\r\n";
  EXPECT_EQ(DecodeInput(mostlyCp1252).Codering, TTekstCodering::Cp1252);
}

// A code page 1252 file with a line pasted from a program that writes UTF-8: that line is read
// as UTF-8 with a finding on it, every other line byte for byte; also when the file has as many
// stray bytes as UTF-8 letters.
TEST(LoadEncodings, ReadEachLineInItsOwnEncoding) {
  const TRead want = Read(Cp1252Csv);
  const std::string line9 = "900;2;10-10-2009;1;2;7;Dani\xEBl, Ren\xE9;\xC9mile, Zo\xEB;;\r\n";
  std::string mixed = Cp1252Csv;
  mixed.replace(mixed.find(line9), line9.size(), Cp1252ToUtf8(line9));
  const TRead read = Read(mixed);
  EXPECT_EQ(read.Codering, TTekstCodering::Cp1252);
  EXPECT_EQ(read.Report, want.Report);
  EXPECT_EQ(read.Errors, (std::vector<std::string>{
                             "9 Regel in UTF-8 in een bestand in code page 1252: gelezen als UTF-8",
                             "9 Niet legale uitslag.", " Zwolle.csv"}));
  EXPECT_EQ(read.Status, "2 fout");

  const TInputText equal =
      DecodeInput("012;Toernooi Zw\xF6lf \xE9\xE8\xEB\r\n022;Zw\xC3\xB6lle\r\n022;\xC5\x81\xC3\xB3"
                  "d\xC5\xBA");
  EXPECT_EQ(equal.Codering, TTekstCodering::Cp1252);
  EXPECT_EQ(equal.Text(), "012;Toernooi Zw\xF6lf \xE9\xE8\xEB\r\n022;Zw\xF6lle\r\n022;L\xF3"
                          "dz");
  EXPECT_EQ(equal.Utf8Regels, (std::vector<std::uint32_t>{24, 36}));
  EXPECT_EQ(equal.Vervangen.size(), 2u);
}

// Each substitute, and what the finding says of it.
TEST(DecodeInput, ReplacesWhatCodePage1252LacksAndSaysWhat) {
  const struct {
    const char* Name;
    std::string Bytes;
    std::string Text;
    std::vector<std::string> Findings;
  } cases[] = {
      {"Dutch ligature",
       "\xEF\xBB\xBF"
       "\xC4\xB2sselmeer",
       "IJsselmeer",
       {"Teken U+0132 bestaat niet in code page 1252: vervangen door \"IJ\""}},
      {"Romanian comma below",
       "Bra\xC8\x99ov",
       "Brasov",
       {"Teken U+0219 bestaat niet in code page 1252: vervangen door \"s\""}},
      {"each kind of character on a line once",
       "Rene\xCC\x81 \xE4\xB8\xAD\xF0\x9F\x98\x80\xE4\xB8\xAD\xCC\x81",
       "Rene ???",
       {"Teken U+0301 bestaat niet in code page 1252: weggelaten (en nog 1 op deze regel)",
        "Teken U+4E2D bestaat niet in code page 1252: vervangen door \"?\" (en nog 1 op deze "
        "regel)",
        "Teken U+01F600 bestaat niet in code page 1252: vervangen door \"?\""}},
      {"a stray byte beside a character code page 1252 lacks",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA \xE9\xC5\x81",
       "L\xF3"
       "dz \xE9L",
       {"Teken U+0141 bestaat niet in code page 1252: vervangen door \"L\" (en nog 1 op deze "
        "regel)",
        "Teken U+017A bestaat niet in code page 1252: vervangen door \"z\"",
        "Byte E9 is geen UTF-8: gelezen als \"\xE9\" (code page 1252)"}},
      {"invalid UTF-8 after a mark",
       "\xEF\xBB\xBF"
       "a\xC3(",
       "a?(",
       {"Ongeldige UTF-8 (C3): vervangen door \"?\""}},
      {"lone surrogate in UTF-16",
       "\xFF\xFE"
       "a\0\x00\xD8"s,
       "a?",
       {"Ongeldige UTF-16 (D800): vervangen door \"?\""}},
      {"code page 1252 is not UTF-8", "Ren\xE9 \xC4\xB2", "Ren\xE9 \xC4\xB2", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TInputText input = DecodeInput(c.Bytes);
    EXPECT_EQ(input.Text(), c.Text);
    EXPECT_FALSE(input.NotText);
    std::vector<std::string> findings;
    for (const TVervangenTeken& teken : input.Vervangen)
      findings.push_back(BevindingText(VervangenTekenBevinding(teken, input.Codering, 1)));
    EXPECT_EQ(findings, c.Findings);
  }
}

// A file that is not text is refused as an empty one is; a NUL further on ends the text with
// a finding on its line.
TEST(LoadEncodings, RefuseWhatIsNotTextAndTellOfALaterNul) {
  const std::string png = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0"s;
  const std::string controls(100, '\x1B');
  const std::string utf16WithoutMark = "0\0"
                                       "1\0"
                                       "2\0;\0"s;
  for (const std::string& bytes : {png, controls + "012;Naam\r\n", utf16WithoutMark}) {
    const TRead read = Read(bytes);
    EXPECT_EQ(read.Outcome, TLoadOutcome::NotText);
    EXPECT_TRUE(read.Errors.empty());
  }
  EXPECT_EQ(LoadOutcomeText({TLoadOutcome::NotText, 0}),
            "Het bestand is geen tekstbestand: het begint met NUL-tekens of veel andere "
            "stuurtekens.");

  std::string text = Cp1252Csv;
  while (text.size() < TextProbeSize) text += "999;opvulling\r\n";
  const int nulRegel = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  // Two new players follow the NUL; they are not read.
  text += "999;opv\0ulling\r\n900;3;10-10-2009;5;6;1;Ab, Cd;Ef, Gh;;\r\n"s;
  const TRead read = Read(text);
  EXPECT_EQ(read.Outcome, TLoadOutcome::Read);
  EXPECT_EQ(read.Errors, (std::vector<std::string>{
                             "9 Niet legale uitslag.",
                             std::to_string(nulRegel) + " " +
                                 "NUL-teken op deze regel: de rest van het bestand is niet gelezen",
                             " Zwolle.csv"}));
  EXPECT_EQ(read.Report[5], "062 2");
}

} // namespace
