#include "core/reading/Fields.h"
#include "core/tournament/NaamBreedte.h"
#include "core/tournament/SpelerBudget.h"
#include "core/tournament/Toernooi.h"

#include <algorithm>
#include <limits>
#include <vector>

bool TToernooi::Past(double bytes) {
  if (FTeVeel || FNodig + bytes > static_cast<double>(FBudget)) {
    FTeVeel = true;
    return false;
  }
  FNodig += bytes;
  return true;
}

void TToernooi::BuildSpelers() {
  BuildSpelers(std::numeric_limits<std::uintmax_t>::max());
}

bool TToernooi::BuildSpelers(std::uintmax_t budget) {
  const std::uintmax_t rondes = Rondes.size();
  // The games and rounds were counted as they were read.
  if (FTeVeel || FNodig > static_cast<double>(budget)) return false;
  // The players are counted as they are made: a file of many new players in many rounds
  // stops here, before it takes more than the budget. A name is held by the player, by the
  // table and by the report; while its report line is made, the longest is held three times
  // more: its cell's text, the line, and the line's copy in the report.
  const double perSpeler = TableBytes(1, rondes) - TableBytes(0, rondes);
  double nodig = FNodig;
  std::size_t langste = 0;
  // Every player is found or made here, and ids are unique in the list, so the players of
  // each game are remembered for the pairing step instead of being looked up again.
  const auto speler = [&](std::int32_t idNr, const std::string& naam, TDate gebDatum,
                          std::int32_t regel) {
    if (TSp* sp = Spelers.GetSpeler(idNr)) return sp;
    nodig += perSpeler + 3 * static_cast<double>(naam.size());
    langste = std::max(langste, naam.size());
    TSp& sp = Spelers.Add(SpSortKey(naam), std::make_unique<TSp>(idNr, 0, naam, gebDatum));
    sp.RegelNr = regel;
    return &sp;
  };
  std::vector<std::pair<TSp*, TSp*>> paren;
  paren.reserve(static_cast<std::size_t>(Games.Count()));
  for (const TGame& game : Games) {
    TSp* wit = speler(game.Rec.WitIdNr, game.Rec.WitNaam, game.Rec.WitGebDatum, game.Rec.RegelNr);
    TSp* zwart =
        speler(game.Rec.ZwartIdNr, game.Rec.ZwartNaam, game.Rec.ZwartGebDatum, game.Rec.RegelNr);
    paren.emplace_back(wit, zwart);
    if (nodig + 3 * static_cast<double>(langste) > static_cast<double>(budget)) {
      Spelers.Clear();
      return false;
    }
  }
  Spelers.Sort();
  for (int i = 0; i < Spelers.Count(); ++i) Spelers[i].StartNr = i + 1;
  // Each player's games are counted first, so that every list is allocated once.
  std::vector<std::size_t> partijen(static_cast<std::size_t>(Spelers.Count()));
  for (const auto& [wit, zwart] : paren) {
    ++partijen[static_cast<std::size_t>(wit->StartNr - 1)];
    ++partijen[static_cast<std::size_t>(zwart->StartNr - 1)];
  }
  for (int i = 0; i < Spelers.Count(); ++i)
    Spelers[i].Partijen.reserve(partijen[static_cast<std::size_t>(i)]);
  std::size_t i = 0;
  for (const TGame& game : Games) {
    const auto [wit, zwart] = paren[i++];
    wit->AddPartij(zwart, &game, 0);
    zwart->AddPartij(wit, &game, 1);
  }
  return true;
}

void TToernooi::CheckSpelerWaarden(TFoutLijst& fouten) const {
  const auto check = [&](std::int32_t idNr, const std::string& naam, TDate gebDatum,
                         std::int32_t regel) {
    const TSp* sp = Spelers.GetSpeler(idNr);
    if (sp == nullptr || sp->RegelNr == regel) return;
    const std::string id = std::to_string(idNr);
    const std::string eerste = std::to_string(sp->RegelNr);
    if (Trim(naam) != Trim(sp->Naam))
      fouten.AddFout({TBevindingId::NaamAnders, regel, {id, eerste, sp->Naam, naam}});
    if (!IsShownDate(gebDatum) || gebDatum == sp->GebDatum) return;
    const std::string datum = FormatDate("yyyy-mm-dd", gebDatum);
    if (IsShownDate(sp->GebDatum))
      fouten.AddFout({TBevindingId::GebDatumAnders,
                      regel,
                      {id, eerste, FormatDate("yyyy-mm-dd", sp->GebDatum), datum}});
    else
      fouten.AddFout({TBevindingId::GebDatumErbij, regel, {id, eerste, datum}});
  };
  for (const TGame& game : Games) {
    check(game.Rec.WitIdNr, game.Rec.WitNaam, game.Rec.WitGebDatum, game.Rec.RegelNr);
    check(game.Rec.ZwartIdNr, game.Rec.ZwartNaam, game.Rec.ZwartGebDatum, game.Rec.RegelNr);
  }
}

void TToernooi::RefuseTooLarge(std::uintmax_t budget) {
  // The players as the build would make them, by their ids alone: each with the name of the
  // game side where its id first appears.
  struct TKant {
    std::int32_t IdNr;
    std::uint32_t Volgorde;
  };
  std::vector<TKant> kanten;
  kanten.reserve(2 * static_cast<std::size_t>(Games.Count()));
  for (const TGame& game : Games) {
    kanten.push_back({game.Rec.WitIdNr, static_cast<std::uint32_t>(kanten.size())});
    kanten.push_back({game.Rec.ZwartIdNr, static_cast<std::uint32_t>(kanten.size())});
  }
  std::sort(kanten.begin(), kanten.end(), [](const TKant& a, const TKant& b) {
    return a.IdNr != b.IdNr ? a.IdNr < b.IdNr : a.Volgorde < b.Volgorde;
  });
  int spelers = 0;
  std::uintmax_t overNaam = 0;
  for (std::size_t i = 0; i < kanten.size(); ++i) {
    if (i > 0 && kanten[i].IdNr == kanten[i - 1].IdNr) continue;
    ++spelers;
    const TGameRec& rec = Games[static_cast<int>(kanten[i].Volgorde / 2)].Rec;
    overNaam += OverNaam(kanten[i].Volgorde % 2 == 0 ? rec.WitNaam : rec.ZwartNaam);
  }
  FTeGroot = TSpelersTeGroot{spelers, overNaam, budget};
}
