#include "core/tournament/Controles.h"

#include "core/text/Teksten.h"

void AddJaarVerbreed(const TDatumVeld& datum, const char* veld, int regel, TFoutLijst& fouten) {
  if (datum.JaarVerbreed)
    fouten.AddFout(
        {TBevindingId::JaarVanEenCijfer,
         regel,
         {veld, KortVeldTekst(Trim(datum.Tekst)), FormatDate("yyyy-mm-dd", datum.Datum)}});
}

TDate ReadGebDatum(std::string_view& rest, const char* veld, int regel, TFoutLijst& fouten) {
  const TDatumVeld datum = ReadEigenDatumVeld(rest);
  const std::string_view tekst = Trim(datum.Tekst);
  if (datum.Datum == InvalidDate && !tekst.empty())
    fouten.AddFout({TBevindingId::GeenGeboortedatum, regel, {veld, KortVeldTekst(tekst)}});
  AddJaarVerbreed(datum, veld, regel, fouten);
  return datum.Datum;
}

bool HasKopRecord(const TIdNrList& idNrs) {
  for (const std::int32_t code : {12, 22, 32, 42, 52, 102, 122})
    if (idNrs.Has(code)) return true;
  return false;
}

bool IsHeaderDate(TDate date) {
  return date >= Date20050101 && date <= Date20991231;
}
