#pragma once

#include "core/FlatIndex.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The first occurrence of one record code in the file.
struct TIdNr {
  std::int32_t Code = 0;
  std::int32_t RegelNr = 0;
  std::string Tekst;
};

// Record codes in order of first appearance, at most one entry per code.
class TIdNrList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const TIdNr& operator[](int i) const { return FItems[static_cast<std::size_t>(i)]; }

  // Appends the entry unless its code is there already.
  void Add(TIdNr idNr);
  void Clear();
  // The entry for the code, or none.
  const TIdNr* GetIdNr(std::int32_t code) const;

private:
  std::vector<TIdNr> FItems;
  std::unordered_map<std::int32_t, std::size_t, TKeyHash> FByCode;
};
