#include "core/tournament/Stand.h"

namespace {

std::uint64_t RondeKey(std::int32_t rondeNr) {
  return static_cast<std::uint32_t>(rondeNr);
}

} // namespace

TStand::TStand(const TToernooi& toernooi) : FToernooi(toernooi) {
  for (const TRondeRec& ronde : toernooi.Rondes)
    FRondeKolom.Insert(RondeKey(ronde.RondeNr), &ronde);
}

void TStand::RondeCellen(int i, std::vector<std::string>& cellen) const {
  cellen.resize(FToernooi.Rondes.size());
  for (std::string& cel : cellen) cel.clear();
  const TSp& sp = Speler(i);
  for (const TSpPartij& partij : sp.Partijen) {
    if (!sp.SpeeltIn(partij.Game->Rec)) continue;
    if (const TRondeRec* ronde = FRondeKolom.Find(RondeKey(partij.Game->Rec.RondeNr)))
      cellen[static_cast<std::size_t>(ronde - FToernooi.Rondes.data())] = sp.PartijTekst(partij);
  }
}
