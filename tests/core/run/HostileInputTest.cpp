#include "core/reading/InputText.h"
#include "core/report/ReportFile.h"
#include "core/report/ToernooiGrid.h"
#include "core/tournament/Spelers.h"
#include "support/LoadRun.h"
#include "support/SameBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A whole conversion, as the converter runs it: load, table (with the report), report file.
struct TChain {
  TLoadRun Run;
  TCellTable ToernooiGrid{2, 2, 1, 1};
  std::string ReportBytes;

  TChain(const TTempDir& dir, const std::string& name, const std::string& bytes) {
    const fs::path input = dir / name;
    std::ofstream(input, std::ios::binary) << bytes;
    Run.Load(input);
    FillToernooiGrid(Run.Toernooi, ToernooiGrid);
    const fs::path report = dir / ReportFileName(name);
    WriteReportFile(report, Run.Toernooi.ReportLines);
    ReportBytes = ReadFileBytes(report);
  }

  const TToernooi& T() const { return Run.Toernooi; }
  // The last entry of the error list.
  std::string Summary() const {
    return std::string(Run.ErrorGrid.GetCell(2, Run.ErrorGrid.RowCount() - 2));
  }
};

const std::string Header = "012;Toernooi\r\n022;Plaats\r\n032;NED\r\n042;03-10-2009\r\n"
                           "052;10-10-2009\r\n102;Ab Cd\r\n122;60 min\r\n";

std::string Game(const std::string& ronde, const std::string& wit, const std::string& zwart,
                 const std::string& witNaam = "Aa, Bb", const std::string& zwartNaam = "Cc, Dd") {
  return "900;" + ronde + ";03-10-2009;" + wit + ";" + zwart + ";1;" + witNaam + ";" + zwartNaam +
         ";;\r\n";
}

// Every byte value except those that end a line or the text.
std::string EveryByte() {
  std::string bytes;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  return bytes;
}

// Deterministic noise, with the NUL bytes that would end the text lifted to 1.
std::string Noise(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t x = 2463534242u;
  for (char& c : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>((x & 0xFF) == 0 ? 1 : x & 0xFF);
  }
  return bytes;
}

// A name from the number in letters, so that every player has a key of its own.
std::string LetterName(int n) {
  std::string naam;
  for (int i = 0; i < 4; ++i, n /= 26) naam += static_cast<char>('a' + n % 26);
  return "Speler, " + naam;
}

struct THostileCase {
  const char* Name;
  std::function<std::string()> Bytes;
  int Games;
  int Spelers;
  int Rondes;
  // Further checks of what the conversion produced.
  std::function<void(const TChain&)> Check;
};

const THostileCase HostileCases[] = {
    {"megabytes_name.csv",
     [] { return Header + Game("1", "7000001", "1234", std::string(3 << 20, 'x'), "Cc, Dd"); }, 1,
     2, 1,
     [](const TChain& c) {
       // The name runs on; the fields after it follow directly behind it.
       const std::string& line = c.T().ReportLines[13];
       ASSERT_EQ(line.size(), 14 + (3u << 20) + 19);
       EXPECT_EQ(line.substr(0, 14), "001    2      ");
       EXPECT_EQ(line.substr(14, 3u << 20), std::string(3 << 20, 'x'));
       EXPECT_EQ(line.substr(14 + (3u << 20)), "NED70000011.021 w 1");
     }},
    {"every_byte.csv",
     [] {
       return "012;" + EveryByte() + "\r\n" + Header.substr(Header.find('\n') + 1) +
              Game("1", "7000001", "1234", "Aa\x01\x7F\x80\xFF, Bb", "Cc, Dd");
     },
     1, 2, 1,
     [](const TChain& c) {
       // The name keeps every byte: separators go and the ends are trimmed, nothing else.
       std::string naam;
       for (const char b : EveryByte())
         if (b != ';' && b != '\t') naam += b;
       naam = naam.substr(naam.find('!'));
       EXPECT_EQ(c.T().ReportLines[0], "012 " + naam);
       EXPECT_NE(c.ReportBytes.find("Aa\x01\x7F\x80\xFF, Bb"), std::string::npos);
     }},
    {"numbers_beyond_32_bits.csv",
     [] {
       return Header + Game("2147483647", "2147483647", "2147483646") +
              Game("99999999999999999999", "99999999999", "-99999999999") +
              Game("-2147483648", "4294967297", "3") + Game("-2147483648", "5", "6");
     },
     2, 4, 3,
     [](const TChain& c) {
       EXPECT_EQ(c.T().ReportLines[10].substr(89), "  7777 7 7  0000 0 0  1111 1 1");
       EXPECT_EQ(c.ToernooiGrid.GetCell(11, 0), "r2147483647");
       EXPECT_EQ(c.ToernooiGrid.GetCell(13, 0), "r-2147483648");
       // Only the two numbers from 5000000 on are shown as federation numbers.
       std::multiset<std::string> shown;
       for (int row = 1; row <= 4; ++row) shown.emplace(c.ToernooiGrid.GetCell(7, row));
       EXPECT_EQ(shown, (std::multiset<std::string>{"", "", "2147483646", "2147483647"}));
     }},
    {"ten_thousand_rounds.csv",
     [] {
       std::string bytes = Header;
       for (int r = 1; r <= 10000; ++r)
         bytes +=
             r % 2 ? Game(std::to_string(r * 7), "1", "2") : Game(std::to_string(r * 7), "2", "1");
       return bytes;
     },
     10000, 2, 10000,
     [](const TChain& c) {
       // Every round has its column, its ruler group, its date and a result for both players.
       EXPECT_EQ(c.T().ReportLines[13].size(), 99u + 10 * 9999);
       EXPECT_EQ(c.ToernooiGrid.GetCell(11 + 9999, 0), "r70000");
       EXPECT_EQ(c.ToernooiGrid.GetCell(11 + 9999, 1), "2 z 0");
       EXPECT_EQ(c.ToernooiGrid.GetCell(9, 1), "5000.0");
     }},
    {"fifty_thousand_players.csv",
     [] {
       // A hundred players to a name: many equal keys, as well as many distinct ones.
       std::string bytes = Header;
       for (int i = 0; i < 25000; ++i)
         bytes += Game("1", std::to_string(1000 + 2 * i), std::to_string(1001 + 2 * i),
                       LetterName((2 * i) % 500), LetterName((2 * i + 1) % 500));
       return bytes;
     },
     25000, 50000, 1,
     [](const TChain& c) {
       const TSpList& spelers = c.T().Spelers;
       for (int i = 1; i < spelers.Count(); ++i)
         ASSERT_LE(CompareSortKeys(spelers.Key(i - 1), spelers.Key(i)), 0) << i;
       EXPECT_EQ(spelers[0].Naam, "Speler, aaaa");
       EXPECT_EQ(spelers[49999].Naam, "Speler, zsaa");
     }},
    {"nul_late.csv",
     [] {
       std::string bytes = "012;Toernooi\r\n";
       while (bytes.size() < 5000) bytes += "999;opvulling\r\n";
       return bytes + "022;Plaats\0 en meer\r\n"s + Game("1", "1", "2");
     },
     0, 0, 0,
     [](const TChain& c) {
       EXPECT_EQ(c.T().Rec.Plaats, "Plaats");
       EXPECT_EQ(c.T().ReportLines[1], "022 Plaats");
       EXPECT_EQ(c.Run.ErrorGrid.GetCell(1, 1), std::to_string(c.T().RegelCount()));
       EXPECT_EQ(c.Run.ErrorGrid.GetCell(2, 1),
                 "NUL-teken op deze regel: de rest van het bestand is niet gelezen");
     }},
    {"image_without_nul.csv", [] { return "\xFF\xD8\xFF\xE0" + Noise(1 << 16); }, 0, 0, 0,
     [](const TChain& c) { EXPECT_GT(c.Run.InputGrid.RowCount(), 100); }},
};

class Conversion : public ::testing::TestWithParam<THostileCase> {};

TEST_P(Conversion, FinishesPathologicalFile) {
  const THostileCase& h = GetParam();
  TTempDir dir;
  const TChain c(dir, h.Name, h.Bytes());
  EXPECT_EQ(c.T().Games.Count(), h.Games);
  EXPECT_EQ(c.T().GetSpelerCount(), h.Spelers);
  EXPECT_EQ(static_cast<int>(c.T().Rondes.size()), h.Rondes);
  EXPECT_EQ(c.Summary(), h.Name);

  // The report: header block, one line per player, footer; written byte for byte.
  const std::vector<std::string>& lines = c.T().ReportLines;
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(h.Spelers) + 14);
  EXPECT_EQ(lines[5], "062 " + std::to_string(h.Spelers));
  std::string want;
  for (const std::string& line : lines) want += line + "\r\n";
  EXPECT_TRUE(SameBytes(c.ReportBytes, want));
  h.Check(c);
}

INSTANTIATE_TEST_SUITE_P(Hostile, Conversion, ::testing::ValuesIn(HostileCases),
                         [](const ::testing::TestParamInfo<THostileCase>& p) {
                           std::string name = p.param.Name;
                           name.erase(name.find('.'));
                           return name;
                         });

} // namespace
