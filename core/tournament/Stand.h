#pragma once

#include "core/tournament/FlatIndex.h"
#include "core/tournament/Spelers.h"
#include "core/tournament/Toernooi.h"

#include <cstdint>
#include <string>
#include <vector>

// The standing of a load: its players in start order, each with start rank, name, rating, id,
// birth date, points, and the game each round's column shows, and the rounds in the order of
// their columns. Built once from the tournament's players; the tournament table and the report
// are both drawn from it, column by column.
class TStand {
public:
  explicit TStand(const TToernooi& toernooi);
  TStand(const TStand&) = delete;
  TStand& operator=(const TStand&) = delete;

  int SpelerCount() const { return FToernooi.GetSpelerCount(); }
  // The player of start rank i + 1.
  const TSp& Speler(int i) const { return FToernooi.Spelers[i]; }
  int RondeCount() const { return static_cast<int>(FToernooi.Rondes.size()); }
  const std::vector<TRondeRec>& Rondes() const { return FToernooi.Rondes; }
  char DecimalSeparator() const { return FToernooi.DecimalSeparator; }
  // The text each round column shows for player i (TSp::PartijTekst), empty where the player
  // has no game of the round. A later game of a round wins, so a game against oneself shows its
  // black side. One walk over the player's games; the buffer is reused from player to player.
  void RondeCellen(int i, std::vector<std::string>& cellen) const;

private:
  const TToernooi& FToernooi;
  // The column of each round number: the first entry of the rounds table with it.
  TFlatIndex<const TRondeRec> FRondeKolom;
};
