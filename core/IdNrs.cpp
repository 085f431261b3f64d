#include "core/IdNrs.h"

void TIdNrList::Add(TIdNr idNr) {
  if (FByCode.emplace(idNr.Code, FItems.size()).second) FItems.push_back(std::move(idNr));
}

void TIdNrList::Clear() {
  FItems.clear();
  FByCode.clear();
}

const TIdNr* TIdNrList::GetIdNr(std::int32_t code) const {
  const auto it = FByCode.find(code);
  return it == FByCode.end() ? nullptr : &FItems[it->second];
}
