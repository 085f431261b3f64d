#include "core/tournament/Controles.h"
#include "core/tournament/SpelerBudget.h"
#include "core/tournament/Toernooi.h"

#include "core/text/Teksten.h"

#include <algorithm>
#include <vector>

void TToernooi::ReadGame(std::string_view rest, int regel, TFoutLijst& fouten) {
  TGameRec rec;
  rec.RegelNr = regel;
  const std::string_view rondeVeld = CutTabField(rest);
  const std::optional<std::int32_t> rondeNr = ParseIntField(rondeVeld);
  rec.RondeNr = rondeNr.value_or(0);
  if (!rondeNr && Trim(rondeVeld).empty())
    fouten.AddFout({TBevindingId::RondeNrLeeg, regel, {Tekst::VeldRondeNr}});
  else if (!rondeNr)
    fouten.AddFout(
        {TBevindingId::GeenRondeNr, regel, {Tekst::VeldRondeNr, KortVeldTekst(rondeVeld)}});
  else if (rec.RondeNr < 1)
    fouten.AddFout({TBevindingId::RondeNrKleiner,
                    regel,
                    {Tekst::VeldRondeNr, KortVeldTekst(rondeVeld), std::to_string(rec.RondeNr)}});
  else if (!IsPlainGetal(rondeVeld))
    AddGetalVorm(rondeVeld, rec.RondeNr, Tekst::VeldRondeNr, regel, fouten);
  // An empty round date takes the next field's text, whose shift the id and result checks
  // then show.
  const TDatumVeld rondeDatum = ReadDatumVeld(rest);
  rec.RondeDatum = rondeDatum.Datum;
  if (rondeDatum.Datum == InvalidDate)
    fouten.AddFout({TBevindingId::GeenRondedatum,
                    regel,
                    {Tekst::VeldRondedatum, KortVeldTekst(Trim(rondeDatum.Tekst))}});
  AddJaarVerbreed(rondeDatum, Tekst::VeldRondedatum, regel, fouten);
  rec.WitIdNr = ReadGetal(CutTabField(rest), Tekst::VeldIdNr, regel, fouten).value_or(0);
  rec.ZwartIdNr = ReadGetal(CutTabField(rest), Tekst::VeldIdNr, regel, fouten).value_or(0);
  rec.Uitslag = ReadGetal(CutTabField(rest), Tekst::VeldUitslag, regel, fouten).value_or(0);
  rec.WitNaam = std::string(CutTabField(rest));
  rec.ZwartNaam = std::string(CutTabField(rest));
  // A birth date after the round's date, or after the start when the round has none, is
  // named; each birth date is its own player's, also when the other one is empty.
  const bool opRonde = IsShownDate(rec.RondeDatum);
  const TDate peil = opRonde ? rec.RondeDatum : IdNrs.Has(42) ? Rec.StartDatum : InvalidDate;
  rec.WitGebDatum = ReadGebDatum(rest, Tekst::VeldGebDatumWit, regel, peil, opRonde, fouten);
  rec.ZwartGebDatum = ReadGebDatum(rest, Tekst::VeldGebDatumZwart, regel, peil, opRonde, fouten);

  // Every game record names its round, also one that is rejected below.
  const int index = GetRondeIndex(rec.RondeNr);
  if (index == -1) {
    if (Past(RondeBytes)) AddRonde({rec.RondeNr, rec.RondeDatum, regel});
  } else if (TRondeRec& ronde = Rondes[static_cast<std::size_t>(index)];
             rec.RondeDatum > ronde.Datum && rec.RondeDatum >= Date20050101)
    ronde.Datum = rec.RondeDatum;

  bool rejected = false;
  if (rec.WitIdNr < 1 || rec.ZwartIdNr < 1) {
    fouten.AddFout({TBevindingId::IdNrOntbreekt, regel, {}});
    rejected = true;
  } else if (rec.WitIdNr == rec.ZwartIdNr) {
    fouten.AddFout({TBevindingId::TegenZichzelf, regel, {std::to_string(rec.WitIdNr)}});
  }
  if (rec.Uitslag < 1 || rec.Uitslag > 5) {
    fouten.AddFout({TBevindingId::UitslagOngeldig, regel, {}});
    rejected = true;
  }
  if (const TGame* game = Games.GetSpGame(rec.WitIdNr, rec.RondeNr)) {
    fouten.AddFout({TBevindingId::WitAlGespeeld, regel, {std::to_string(game->Rec.RegelNr)}});
    rejected = true;
  }
  if (const TGame* game = Games.GetSpGame(rec.ZwartIdNr, rec.RondeNr)) {
    fouten.AddFout({TBevindingId::ZwartAlGespeeld, regel, {std::to_string(game->Rec.RegelNr)}});
    rejected = true;
  }
  if (DatumsGeldig && (rec.RondeDatum < Rec.StartDatum || rec.RondeDatum > Rec.EindDatum))
    fouten.AddFout({TBevindingId::RondedatumBuiten, regel, {}});
  if (!rejected && Past(GameBytes + NaamBytes(rec.WitNaam) + NaamBytes(rec.ZwartNaam)))
    Games.Add(std::move(rec));
}

void TToernooi::CheckHeaderRecords(TFoutLijst& fouten) const {
  const auto checkText = [&](std::int32_t code, TBevindingId id) {
    const std::optional<TIdNr> idNr = IdNrs.GetIdNr(code);
    if (!idNr)
      fouten.AddFout({id, NoLine, {}});
    else if (idNr->Tekst.empty())
      fouten.AddFout({id, idNr->RegelNr, {}});
  };
  checkText(22, TBevindingId::PlaatsOntbreekt);
  checkText(32, TBevindingId::FederatieOntbreekt);
  if (!IdNrs.Has(42)) fouten.AddFout({TBevindingId::StartdatumOntbreekt, NoLine, {}});
  if (!IdNrs.Has(52)) fouten.AddFout({TBevindingId::EinddatumOntbreekt, NoLine, {}});
  checkText(102, TBevindingId::InzenderOntbreekt);
  checkText(122, TBevindingId::SpeeltempoOntbreekt);
  if (!IdNrs.Has(900) && HasKopRecord(IdNrs))
    fouten.AddFout({TBevindingId::GeenPartijen, NoLine, {}});
}

void TToernooi::CheckRondeDatums(TFoutLijst& fouten) const {
  // Rounds in ascending number, each with its games in list order: one sort of the games keeps
  // a file of many rounds from allocating a node for each.
  std::vector<const TGame*> games;
  games.reserve(static_cast<std::size_t>(Games.Count()));
  for (const TGame& game : Games) games.push_back(&game);
  std::stable_sort(games.begin(), games.end(),
                   [](const TGame* a, const TGame* b) { return a->Rec.RondeNr < b->Rec.RondeNr; });
  TDate referentie = 0;
  for (std::size_t i = 0; i < games.size(); ++i) {
    const TGame* game = games[i];
    if (i > 0 && games[i - 1]->Rec.RondeNr != game->Rec.RondeNr) referentie = 0;
    if (game->Rec.RondeDatum == referentie) continue;
    if (referentie == 0)
      referentie = game->Rec.RondeDatum;
    else
      fouten.AddFout({TBevindingId::MeerDatumsPerRonde, game->Rec.RegelNr, {}});
  }
}
