#pragma once

#include "core/reading/DateValue.h"
#include "core/tournament/FlatIndex.h"

#include <cstdint>
#include <deque>
#include <string>

// The values of one game record (code 900).
struct TGameRec {
  std::int32_t RegelNr = 0;
  std::int32_t WitIdNr = 0;
  std::int32_t ZwartIdNr = 0;
  std::int32_t RondeNr = 0;
  std::int32_t Uitslag = 0;
  std::string WitNaam;
  std::string ZwartNaam;
  TDate RondeDatum = 0;
  TDate WitGebDatum = 0;
  TDate ZwartGebDatum = 0;
};

class TGame {
public:
  explicit TGame(TGameRec rec) : Rec(std::move(rec)) {}
  TGameRec Rec;
};

// The accepted games in the order they were accepted. Games keep their address for the
// life of the list; an index beside the list answers lookups with the first match in list
// order without scanning.
class TGamesList {
public:
  int Count() const { return static_cast<int>(FGames.size()); }
  const TGame& operator[](int i) const { return FGames[static_cast<std::size_t>(i)]; }
  auto begin() const { return FGames.begin(); }
  auto end() const { return FGames.end(); }

  const TGame& Add(TGameRec rec);
  void Clear();

  // The first game of the round in which the id plays white or black, or none.
  const TGame* GetSpGame(std::int32_t idNr, std::int32_t rondeNr) const;

private:
  std::deque<TGame> FGames;
  TFlatIndex<const TGame> FByIdAndRonde;
};
