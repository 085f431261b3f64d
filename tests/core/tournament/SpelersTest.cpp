#include "core/tournament/Spelers.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

// Adds one player per name, ids from 1, each under the given key or its own sort key.
void AddSpelers(TSpList& list, const std::vector<std::string>& namen, const char* key = nullptr) {
  for (const std::string& naam : namen) {
    const auto id = static_cast<std::int32_t>(list.Count() + 1);
    list.Add(key ? key : SpSortKey(naam), std::make_unique<TSp>(id, 0, naam, NoDate));
  }
}

std::string Namen(const TSpList& list) {
  std::string namen;
  for (int i = 0; i < list.Count(); ++i) namen += (i ? "|" : "") + list[i].Naam;
  return namen;
}

// Games with stable addresses, as the tournament keeps them.
struct TPartijen {
  std::deque<TGame> Games;

  const TGame& Game(std::int32_t ronde, std::int32_t wit, std::int32_t zwart,
                    std::int32_t uitslag) {
    TGameRec rec;
    rec.RondeNr = ronde;
    rec.WitIdNr = wit;
    rec.ZwartIdNr = zwart;
    rec.Uitslag = uitslag;
    return Games.emplace_back(rec);
  }

  void Pair(TSp& wit, TSp& zwart, std::int32_t ronde, std::int32_t uitslag) {
    const TGame& game = Game(ronde, wit.IdNr, zwart.IdNr, uitslag);
    wit.AddPartij(&zwart, &game, 0);
    zwart.AddPartij(&wit, &game, 1);
  }
};

TEST(SpSortKey, BuildsSurnameThenFirstNameKey) {
  const struct {
    const char* naam;
    const char* want;
  } cases[] = {
      {"Abcdefghijk, Lmnop", "ABCDEFGKLMNP"},
      {"Abc, De", "ABCDEAAAAAAA"},
      {"Abcdefghijklmnop", "ABCDEFGHIJKP"},
      {"Ab,Cd,Ef", "ABCD,EFAAAAA"},
      {",Abc", ",ABCAAAAAAAA"},
      {"Ab Cd-Ef, Gh", "ABCDEFGHAAAA"},
      {"\xC9"
       "ab, Cd",
       "ABCDAAAAAAAA"},
      {"12", "2AAAAAAAAAAA"},
      {"a1", "AAAAAAAAAAAA"},
      {"1", "1AAAAAAAAAAA"},
      {"", "AAAAAAAAAAAA"},
      {"de Vries, Jan", "DEVRIESJANAA"},
      {"Abcdefgh, Ij", "ABCDEFGHIJAA"},
      {"Abcdefghi, J", "ABCDEFGIJAAA"},
      {"Abcdefgh, Ijkl", "ABCDEFGHIJKL"},
      {"Abcdefgh, Ijklm", "ABCDEFGHIJKM"},
      {"Abcdefghij,,K", "ABCDEFGJ,KAA"},
      {"Ab,", "ABAAAAAAAAAA"},
      {",", ",AAAAAAAAAAA"},
      {"b", "BAAAAAAAAAAA"},
      {"\xE9", "\xE9"
               "AAAAAAAAAAA"},
      {"1\xE9", "\xE9"
                "AAAAAAAAAAA"},
      {"1 2", "2AAAAAAAAAAA"},
      {"x ", "XAAAAAAAAAAA"},
      {" -", "-AAAAAAAAAAA"},
      {"Ab1", "ABAAAAAAAAAA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.naam);
    EXPECT_EQ(SpSortKey(c.naam), c.want);
  }
}

TEST(CompareSortKeys, OrdersCommaBeforeLettersAndIgnoresCase) {
  const struct {
    const char* a;
    const char* b;
    int want;
  } cases[] = {
      {"ABCDE,FAAAAA", "ABCDEFAAAAAA", -1},
      {",AAAAAAAAAAA", "AAAAAAAAAAAA", -1},
      {"ABCDEFGHIJKL", "ABCDEFGHIJKL", 0},
      {"abcdefghijkl", "ABCDEFGHIJKL", 0},
      {"ABCDEFGHIJKM", "ABCDEFGHIJKL", 1},
      {"BAAAAAAAAAAA", "AZZZZZZZZZZZ", 1},
      {"ABC", "ABCA", -1},
      {",AAAAAAAAAAA", "1AAAAAAAAAAA", -1},
      {"9AAAAAAAAAAA", "AAAAAAAAAAAA", -1},
      {"ZAAAAAAAAAAA",
       "\xC9"
       "AAAAAAAAAAA",
       -1},
      {"\xE9"
       "AAAAAAAAAAA",
       "\xC9"
       "AAAAAAAAAAA",
       0},
      {"-AAAAAAAAAAA", "2AAAAAAAAAAA", -1},
      {"_AAAAAAAAAAA", "AAAAAAAAAAAA", -1},
      {"\x80"
       "AAAAAAAAAAA",
       "0AAAAAAAAAAA", -1},
      {"\x9A"
       "AAAAAAAAAAA",
       "\x8A"
       "AAAAAAAAAAA",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(Sign(CompareSortKeys(c.a, c.b)), c.want);
    EXPECT_EQ(Sign(CompareSortKeys(c.b, c.a)), -c.want);
  }
}

TEST(TSpListSort, PlacesEqualKeysByPartitionScheme) {
  const struct {
    std::vector<std::string> namen;
    const char* want;
  } cases[] = {
      {{"A", "B"}, "B|A"},
      {{"A", "B", "C"}, "C|B|A"},
      {{"A", "B", "C", "D"}, "C|D|A|B"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    TSpList list;
    AddSpelers(list, c.namen, "GELIJKAAAAAA");
    list.Sort();
    EXPECT_EQ(Namen(list), c.want);
  }
}

TEST(TSpListSort, OrdersByKeyAndMovesPlayersWithTheirKeys) {
  TSpList list;
  AddSpelers(list, {"Bakker, Piet", "Aalders, Kees", "Bakker, Jan", "Ab, Cdef", "Abcde,,F"});
  list.Sort();
  EXPECT_EQ(Namen(list), "Aalders, Kees|Abcde,,F|Ab, Cdef|Bakker, Jan|Bakker, Piet");
  for (int i = 0; i < list.Count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(list.Key(i), SpSortKey(list[i].Naam));
  }
}

TEST(TSpListSort, MixesEqualAndDistinctKeysAsThePartitionLeavesThem) {
  TSpList list;
  list.Add("BAAAAAAAAAAA", std::make_unique<TSp>(1, 0, "B1", NoDate));
  list.Add("AAAAAAAAAAAA", std::make_unique<TSp>(2, 0, "A", NoDate));
  list.Add("BAAAAAAAAAAA", std::make_unique<TSp>(3, 0, "B2", NoDate));
  list.Sort();
  EXPECT_EQ(Namen(list), "A|B2|B1");
}

TEST(TSpListSort, SortsManyEntriesWithFewDistinctKeys) {
  const std::vector<std::string> keys = {"MMMMMMMMMMMM", "AAAAAAAAAAAA", "ZZZZZZZZZZZZ",
                                         "MMMMM,AAAAAA", "BAAAAAAAAAAA"};
  for (const std::size_t distinct : {std::size_t{1}, keys.size()}) {
    SCOPED_TRACE(distinct);
    const int count = 50000;
    TSpList list;
    for (int i = 0; i < count; ++i) {
      // Runs of 1000 equal keys, so most comparisons meet equal keys.
      const std::string& key = keys[static_cast<std::size_t>(i / 1000) % distinct];
      list.Add(key, std::make_unique<TSp>(count - i, 0, std::to_string(i), NoDate));
    }
    list.Sort();
    ASSERT_EQ(list.Count(), count);
    for (int i = 0; i < count; ++i) {
      if (i > 0) {
        ASSERT_LE(CompareSortKeys(list.Key(i - 1), list.Key(i)), 0) << "at " << i;
      }
      ASSERT_EQ(list.GetSpeler(list[i].IdNr), &list[i]) << "at " << i;
    }
  }
}

TEST(TSpListGetSpeler, AnswersFirstPlayerInListOrder) {
  TSpList list;
  TSp& eerste = list.Add("ZZZZZZZZZZZZ", std::make_unique<TSp>(7, 0, "eerste", NoDate));
  list.Add("AAAAAAAAAAAA", std::make_unique<TSp>(7, 0, "tweede", NoDate));
  list.Add("MMMMMMMMMMMM", std::make_unique<TSp>(8, 0, "ander", NoDate));
  EXPECT_EQ(list.GetSpeler(7), &eerste);
  EXPECT_EQ(list.GetSpeler(9), nullptr);

  list.Sort();
  ASSERT_NE(list.GetSpeler(7), nullptr);
  EXPECT_EQ(list.GetSpeler(7)->Naam, "tweede");
  EXPECT_EQ(list.GetSpeler(8)->Naam, "ander");

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.GetSpeler(7), nullptr);
}

TEST(UitslagPunten, GivesPointsAndCharactersPerSide) {
  const struct {
    std::int32_t uitslag;
    double witPunten;
    const char* witTeken;
    double zwartPunten;
    const char* zwartTeken;
  } cases[] = {
      {1, 1.0, "1", 0.0, "0"}, {2, 0.0, "0", 1.0, "1"}, {3, 0.5, "=", 0.5, "="},
      {4, 0.0, "=", 0.0, "0"}, {5, 0.0, "0", 0.0, "="}, {0, 0.0, "", 0.0, ""},
      {6, 0.0, "", 0.0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.uitslag);
    EXPECT_EQ(UitslagPunten(c.uitslag, true), c.witPunten);
    EXPECT_EQ(UitslagTeken(c.uitslag, true), c.witTeken);
    EXPECT_EQ(UitslagPunten(c.uitslag, false), c.zwartPunten);
    EXPECT_EQ(UitslagTeken(c.uitslag, false), c.zwartTeken);
  }
}

TEST(TSpPartijTekst, ShowsOpponentColourAndResultForBothSides) {
  const struct {
    std::int32_t uitslag;
    const char* witCel;
    double witPunten;
    const char* zwartCel;
    double zwartPunten;
  } cases[] = {
      {1, "12 w 1", 1.0, "3 z 0", 0.0}, {2, "12 w 0", 0.0, "3 z 1", 1.0},
      {3, "12 w =", 0.5, "3 z =", 0.5}, {4, "12 w =", 0.0, "3 z 0", 0.0},
      {5, "12 w 0", 0.0, "3 z =", 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.uitslag);
    TPartijen partijen;
    TSp wit(101, 0, "Wit", NoDate);
    TSp zwart(202, 0, "Zwart", NoDate);
    wit.StartNr = 3;
    zwart.StartNr = 12;
    partijen.Pair(wit, zwart, 4, c.uitslag);
    EXPECT_EQ(wit.PartijTekst(wit.Partijen.at(0)), c.witCel);
    EXPECT_EQ(zwart.PartijTekst(zwart.Partijen.at(0)), c.zwartCel);
    EXPECT_EQ(wit.GetPunten(), c.witPunten);
    EXPECT_EQ(zwart.GetPunten(), c.zwartPunten);
  }
}

TEST(TSpGetPunten, AddsEveryGameOnItsOwnSide) {
  TPartijen partijen;
  TSp speler(1, 0, "Speler", NoDate);
  TSp a(2, 0, "A", NoDate);
  TSp b(3, 0, "B", NoDate);
  TSp c(4, 0, "C", NoDate);
  a.StartNr = 2;
  b.StartNr = 3;
  c.StartNr = 4;
  partijen.Pair(speler, a, 1, 1);
  partijen.Pair(b, speler, 2, 2);
  partijen.Pair(speler, c, 3, 3);
  partijen.Pair(a, speler, 4, 1);
  EXPECT_EQ(speler.GetPunten(), 2.5);
  EXPECT_EQ(speler.PartijTekst(speler.Partijen.at(1)), "3 z 1");
  EXPECT_EQ(speler.PartijTekst(speler.Partijen.at(3)), "2 z 0");
}

TEST(TSpGetPunten, IgnoresEntriesWhoseGameTheyDoNotPlay) {
  TPartijen partijen;
  TSp speler(1, 0, "Speler", NoDate);
  TSp ander(2, 0, "Ander", NoDate);
  speler.AddPartij(&ander, &partijen.Game(1, 5, 6, 1), 0);
  speler.AddPartij(&ander, &partijen.Game(2, 7, 8, 2), 1);
  EXPECT_EQ(speler.GetPunten(), 0.0);
  for (const TSpPartij& partij : speler.Partijen) EXPECT_FALSE(speler.SpeeltIn(partij.Game->Rec));
}

TEST(TSpGetPunten, CountsWhiteTwiceForGameAgainstItself) {
  const struct {
    std::int32_t uitslag;
    double punten;
  } cases[] = {{1, 2.0}, {2, 0.0}, {3, 1.0}, {4, 0.0}, {5, 0.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.uitslag);
    TPartijen partijen;
    TSp speler(9, 0, "Zelf", NoDate);
    speler.StartNr = 5;
    partijen.Pair(speler, speler, 1, c.uitslag);
    EXPECT_EQ(speler.GetPunten(), c.punten);
  }
}

} // namespace
