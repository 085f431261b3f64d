#include "core/tournament/Controles.h"

#include "core/text/Teksten.h"

#include <algorithm>
#include <iterator>

namespace {

std::string JaarCijfersTekst(int cijfers) {
  if (cijfers >= 1 && cijfers <= static_cast<int>(std::size(Tekst::JaarCijfers)))
    return Tekst::JaarCijfers[cijfers - 1];
  return FillIn(Tekst::JaarCijfersMeer, std::to_string(cijfers));
}

} // namespace

void AddJaarVerbreed(const TDatumVeld& datum, const char* veld, int regel, TFoutLijst& fouten) {
  if (datum.JaarVerbreed)
    fouten.AddFout({TBevindingId::KortJaar,
                    regel,
                    {veld, KortVeldTekst(Trim(datum.Tekst)), FormatDate("yyyy-mm-dd", datum.Datum),
                     JaarCijfersTekst(datum.JaarCijfers)}});
}

TDate ReadGebDatum(std::string_view& rest, const char* veld, int regel, TDate peil, bool ronde,
                   TFoutLijst& fouten) {
  const TDatumVeld datum = ReadEigenDatumVeld(rest);
  const std::string_view tekst = Trim(datum.Tekst);
  if (datum.Datum == InvalidDate && !tekst.empty())
    fouten.AddFout({TBevindingId::GeenGeboortedatum, regel, {veld, KortVeldTekst(tekst)}});
  AddJaarVerbreed(datum, veld, regel, fouten);
  if (IsShownDate(datum.Datum) && IsShownDate(peil) && datum.Datum > peil)
    fouten.AddFout({ronde ? TBevindingId::GebDatumNaRonde : TBevindingId::GebDatumNaStart,
                    regel,
                    {veld, KortVeldTekst(tekst), FormatDate("yyyy-mm-dd", peil)}});
  return datum.Datum;
}

bool IsPlainGetal(std::string_view field) {
  return !field.empty() &&
         std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::int32_t> ReadGetal(std::string_view field, const char* veld, int regel,
                                      TFoutLijst& fouten) {
  const std::optional<std::int32_t> getal = ParseIntField(field);
  if (getal && !IsPlainGetal(field)) AddGetalVorm(field, *getal, veld, regel, fouten);
  return getal;
}

void AddGetalVorm(std::string_view tekst, std::int32_t getal, const char* veld, int regel,
                  TFoutLijst& fouten) {
  std::string shown = KortVeldTekst(tekst);
  // A TAB in a finding's text would split its cell when the list is copied.
  std::replace(shown.begin(), shown.end(), '\t', ' ');
  fouten.AddFout({TBevindingId::GetalVorm, regel, {veld, shown, std::to_string(getal)}});
}

bool HasKopRecord(const TIdNrList& idNrs) {
  for (const std::int32_t code : {12, 22, 32, 42, 52, 102, 122})
    if (idNrs.Has(code)) return true;
  return false;
}

bool IsHeaderDate(TDate date) {
  return date >= Date20050101 && date <= Date20991231;
}
