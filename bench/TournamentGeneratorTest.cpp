#include "bench/TournamentGenerator.h"

#include "core/reading/TextFile.h"
#include "core/text/Teksten.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

// The generated file as the program reads it: every error-list message with its count.
struct TLoaded {
  TCellTable ErrorGrid{4, 2, 1, 1};
  TCellTable InputGrid{5, 5, 1, 0};
  TCoreUI UI;
  TFouten Fouten{ErrorGrid};
  TToernooi Toernooi{Fouten, UI};
  std::map<std::string, int> Messages;

  explicit TLoaded(const std::string& bytes) {
    Fouten.Clear();
    Toernooi.LoadBytes("Generated.csv", bytes, InputGrid, false);
    // The last entry is the summary row; the row after it is the open row.
    for (int row = 1; row < ErrorGrid.RowCount() - 2; ++row)
      ++Messages[std::string(ErrorGrid.GetCell(2, row))];
  }
};

struct TSizeCase {
  const char* Name;
  int GameLines;
  int Rondes;
  bool Findings;
};

const TSizeCase SizeCases[] = {
    {"no_games", 0, 9, true},
    {"one_game", 1, 9, true},
    {"fewer_games_than_rounds", 5, 9, false},
    {"small_without_findings", 300, 7, false},
    {"usual", 1000, 9, true},
    {"many_rounds", 2000, 60, true},
    {"large", 20000, 11, true},
};

TEST(GenerateToernooi, WritesTheAskedNumberOfGameLinesAndPlantsOnlyTheCountedFindings) {
  for (const TSizeCase& c : SizeCases) {
    SCOPED_TRACE(c.Name);
    TGeneratorOptions options;
    options.GameLines = c.GameLines;
    options.Rondes = c.Rondes;
    options.Findings = c.Findings;
    const TGeneratedToernooi generated = GenerateToernooi(options);
    EXPECT_EQ(generated.GameLines, c.GameLines);

    const std::vector<std::string_view> lines = SplitLines(generated.Bytes);
    const auto gameLines = std::count_if(lines.begin(), lines.end(),
                                         [](std::string_view l) { return l.starts_with("900;"); });
    EXPECT_EQ(gameLines, c.GameLines);

    const TLoaded loaded(generated.Bytes);
    const int rejected = generated.MissingIds + generated.IllegalResults + generated.PlayedTwice;
    EXPECT_EQ(loaded.Toernooi.Games.Count(), c.GameLines - rejected);
    EXPECT_EQ(loaded.Toernooi.GetSpelerCount(), generated.Spelers);

    // Every finding in the list is one the generator planted, and none is missing.
    std::map<std::string, int> want;
    if (generated.MissingIds) want["Speler Idnr ontbreekt."] = generated.MissingIds;
    if (generated.IllegalResults) want["Niet legale uitslag."] = generated.IllegalResults;
    if (generated.ShortNameSides)
      want["Naam heeft minder dan 3 karakters"] = generated.ShortNameSides;
    // Header records without a game are one finding of their own.
    if (c.GameLines == 0) want[BevindingText({TBevindingId::GeenPartijen, NoLine, {}})] = 1;
    std::map<std::string, int> twice;
    for (const auto& [message, count] : loaded.Messages) {
      if (message.starts_with("Witspeler heeft in deze ronde reeds gespeeld (Regel ") ||
          message.starts_with("Zwartspeler heeft in deze ronde reeds gespeeld (Regel "))
        twice[message.substr(0, 5)] += count;
      else
        EXPECT_EQ(count, want[message]) << message;
    }
    EXPECT_EQ(twice["Witsp"], generated.PlayedTwice);
    EXPECT_EQ(twice["Zwart"], generated.PlayedTwice);
    EXPECT_TRUE(loaded.Toernooi.DatumsGeldig);
  }
}

TEST(GenerateToernooi, PlantsEveryKindOfFindingInALargeFile) {
  const TGeneratedToernooi generated = GenerateToernooi({.GameLines = 10000});
  EXPECT_GT(generated.MissingIds, 0);
  EXPECT_GT(generated.IllegalResults, 0);
  EXPECT_GT(generated.PlayedTwice, 0);
  EXPECT_GT(generated.ShortNameSides, 0);
  const int findings = generated.MissingIds + generated.IllegalResults + generated.PlayedTwice;
  // A sprinkling: a few per thousand lines.
  EXPECT_LT(findings, generated.GameLines / 100);
}

TEST(GenerateToernooi, GivesTheSameBytesForTheSameSeedOnly) {
  const TGeneratedToernooi a = GenerateToernooi({.GameLines = 500, .Seed = 7});
  const TGeneratedToernooi b = GenerateToernooi({.GameLines = 500, .Seed = 7});
  const TGeneratedToernooi c = GenerateToernooi({.GameLines = 500, .Seed = 8});
  EXPECT_EQ(a.Bytes, b.Bytes);
  EXPECT_NE(a.Bytes, c.Bytes);
}

TEST(GenerateToernooi, WritesHeaderRecordsAndCodePage1252Names) {
  const TGeneratedToernooi generated = GenerateToernooi({.GameLines = 2000});
  const std::vector<std::string_view> lines = SplitLines(generated.Bytes);
  const char* const codes[] = {"012;", "022;", "032;NED", "042;", "052;", "102;", "122;"};
  ASSERT_GE(lines.size(), std::size(codes));
  for (std::size_t i = 0; i < std::size(codes); ++i) EXPECT_TRUE(lines[i].starts_with(codes[i]));

  const TLoaded loaded(generated.Bytes);
  EXPECT_GE(loaded.Toernooi.Rec.Naam.size(), 5u);
  EXPECT_LE(loaded.Toernooi.Rec.Naam.size(), 40u);
  bool accented = false;
  bool utf8 = false;
  for (int i = 0; i < loaded.Toernooi.GetSpelerCount(); ++i) {
    const std::string& naam = loaded.Toernooi.Spelers[i].Naam;
    for (std::size_t k = 0; k < naam.size(); ++k) {
      const auto byte = static_cast<unsigned char>(naam[k]);
      if (byte >= 0xC0) accented = true;
      // A UTF-8 lead byte followed by a continuation byte: the text was not code page 1252.
      if (byte >= 0xC2 && byte <= 0xF4 && k + 1 < naam.size() &&
          (static_cast<unsigned char>(naam[k + 1]) & 0xC0) == 0x80)
        utf8 = true;
    }
  }
  EXPECT_TRUE(accented);
  EXPECT_FALSE(utf8);
}

TEST(GenerateToernooi, WritesDatesInEveryUsualForm) {
  const TGeneratedToernooi generated = GenerateToernooi({.GameLines = 3000});
  std::set<std::string> forms;
  for (const std::string_view line : SplitLines(generated.Bytes)) {
    if (!line.starts_with("900;")) continue;
    // The round date is the third field.
    const std::size_t from = line.find(';', 4) + 1;
    std::string form(line.substr(from, line.find(';', from) - from));
    for (char& ch : form)
      if (ch >= '0' && ch <= '9') ch = '9';
    forms.insert(form);
  }
  for (const char* form : {"99-99-9999", "9999-99-99", "99.99.9999"}) {
    SCOPED_TRACE(form);
    EXPECT_TRUE(forms.contains(form));
  }
}

TEST(GenerateToernooi, PairsLikeASwissTournament) {
  const TGeneratedToernooi generated = GenerateToernooi({.GameLines = 900, .Rondes = 9});
  const TLoaded loaded(generated.Bytes);
  const TToernooi& t = loaded.Toernooi;
  ASSERT_EQ(t.Rondes.size(), 9u);

  // Games come round by round; replay them with the points each player had before the round.
  std::map<std::int32_t, double> punten;
  std::map<std::int32_t, double> voorRonde;
  std::map<std::int32_t, int> kleurSaldo;
  std::set<std::pair<std::int32_t, std::int32_t>> ontmoet;
  std::int32_t ronde = 0;
  int rematches = 0;
  int verschillend = 0;
  for (const TGame& game : t.Games) {
    const TGameRec& g = game.Rec;
    if (g.RondeNr != ronde) {
      ASSERT_EQ(g.RondeNr, ronde + 1);
      ronde = g.RondeNr;
      voorRonde = punten;
    }
    if (!ontmoet.insert(std::minmax(g.WitIdNr, g.ZwartIdNr)).second) ++rematches;
    if (std::abs(voorRonde[g.WitIdNr] - voorRonde[g.ZwartIdNr]) > 1.0) ++verschillend;
    punten[g.WitIdNr] += UitslagPunten(g.Uitslag, true);
    punten[g.ZwartIdNr] += UitslagPunten(g.Uitslag, false);
    ++kleurSaldo[g.WitIdNr];
    --kleurSaldo[g.ZwartIdNr];
  }
  // Players meet others with about the same score, hardly ever twice, and alternate colours.
  EXPECT_LT(verschillend, t.Games.Count() / 20);
  EXPECT_LT(rematches, t.Games.Count() / 50);
  for (const auto& [id, saldo] : kleurSaldo) {
    SCOPED_TRACE(id);
    EXPECT_LE(std::abs(saldo), 2);
  }
}

} // namespace
