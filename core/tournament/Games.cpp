#include "core/tournament/Games.h"

namespace {

std::uint64_t IdAndRondeKey(std::int32_t idNr, std::int32_t rondeNr) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(idNr)) << 32) |
         static_cast<std::uint32_t>(rondeNr);
}

} // namespace

const TGame& TGamesList::Add(TGameRec rec) {
  const TGame& game = FGames.emplace_back(std::move(rec));
  // The index keeps an existing entry, so it always answers with the earliest game.
  FByIdAndRonde.Insert(IdAndRondeKey(game.Rec.WitIdNr, game.Rec.RondeNr), &game);
  FByIdAndRonde.Insert(IdAndRondeKey(game.Rec.ZwartIdNr, game.Rec.RondeNr), &game);
  return game;
}

void TGamesList::Clear() {
  FGames.clear();
  FByIdAndRonde.Clear();
}

const TGame* TGamesList::GetSpGame(std::int32_t idNr, std::int32_t rondeNr) const {
  return FByIdAndRonde.Find(IdAndRondeKey(idNr, rondeNr));
}
