#pragma once

#include "core/reading/DateValue.h"
#include "core/tournament/FlatIndex.h"
#include "core/tournament/Games.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TSp;

// One game seen from one player.
struct TSpPartij {
  TSp* Tegenstander = nullptr;
  const TGame* Game = nullptr;
  std::uint8_t Kleur = 0; // 0 white, 1 black
};

// One player, derived from the game records.
class TSp {
public:
  TSp(std::int32_t idNr, std::int32_t rating, std::string naam, TDate gebDatum);

  void AddPartij(TSp* tegenstander, const TGame* game, std::uint8_t kleur);
  double GetPunten() const;
  // Whether the player is the white or the black side of the game. Inline: the standing asks it
  // for every game of every player.
  bool SpeeltIn(const TGameRec& rec) const { return IdNr == rec.WitIdNr || IdNr == rec.ZwartIdNr; }
  // The round cell that one game of the player gives: "<opponent start rank> w|z <result
  // character>".
  std::string PartijTekst(const TSpPartij& partij) const;

  std::int32_t IdNr;
  std::int32_t Rating;
  std::int32_t StartNr = 0;
  // The line of the game that made the player, whose name and birth date it keeps.
  std::int32_t RegelNr = 0;
  std::string Naam;
  TDate GebDatum;
  std::vector<TSpPartij> Partijen;
};

// The points one side earns from a result code.
double UitslagPunten(std::int32_t uitslag, bool wit);
// The round-cell character of one side for a result code; empty for an unknown code.
std::string_view UitslagTeken(std::int32_t uitslag, bool wit);
// The 12-character sort key of a name: surname, then first name.
std::string SpSortKey(std::string_view naam);
// Case-insensitive comparison of sort keys; ',' sorts before the letters. Only the sign
// counts.
int CompareSortKeys(std::string_view a, std::string_view b);

// The players as (key, player) pairs; appending keeps insertion order, only Sort reorders.
class TSpList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TSp& operator[](int i) const { return *FItems[static_cast<std::size_t>(i)].second; }
  const std::string& Key(int i) const { return FItems[static_cast<std::size_t>(i)].first; }

  TSp& Add(std::string key, std::unique_ptr<TSp> sp);
  void Clear();
  void Sort();
  // The first player in list order with that number, or none.
  TSp* GetSpeler(std::int32_t idNr) const;

private:
  std::vector<std::pair<std::string, std::unique_ptr<TSp>>> FItems;
  TFlatIndex<TSp> FById;
};
