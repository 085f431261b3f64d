#include "core/tournament/IdNrs.h"

void TIdNrList::Add(std::int32_t code, std::int32_t regelNr, std::string_view tekst) {
  if (Has(code)) return;
  FItems.push_back({code, regelNr, static_cast<std::uint32_t>(FTeksten.size())});
  FTeksten += tekst;
  FByCode.Insert(code, static_cast<std::uint32_t>(FItems.size() - 1),
                 [this](std::uint32_t i) { return FItems[i].Code; });
}

void TIdNrList::Clear() {
  FItems = {};
  FTeksten = {};
  FByCode.Clear();
}

std::int64_t TIdNrList::Find(std::int32_t code) const {
  return FByCode.Find(code, [this](std::uint32_t i) { return FItems[i].Code; });
}

bool TIdNrList::Has(std::int32_t code) const {
  return Find(code) >= 0;
}

std::optional<TIdNr> TIdNrList::GetIdNr(std::int32_t code) const {
  const std::int64_t i = Find(code);
  if (i < 0) return std::nullopt;
  return Entry(static_cast<std::size_t>(i));
}

TIdNr TIdNrList::Entry(std::size_t i) const {
  const TItem& item = FItems[i];
  const std::size_t end = i + 1 < FItems.size() ? FItems[i + 1].TekstStart : FTeksten.size();
  return {item.Code, item.RegelNr, FTeksten.substr(item.TekstStart, end - item.TekstStart)};
}
