#pragma once

#include "core/tournament/PositionIndex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The first occurrence of one record code in the file.
struct TIdNr {
  std::int32_t Code = 0;
  std::int32_t RegelNr = 0;
  std::string Tekst;
};

// Record codes in order of first appearance, at most one entry per code. A file may give
// every line a code of its own, so an entry is kept in twelve bytes and its text in one
// block shared by all entries.
class TIdNrList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TIdNr operator[](int i) const { return Entry(static_cast<std::size_t>(i)); }

  // Appends the entry unless its code is there already.
  void Add(std::int32_t code, std::int32_t regelNr, std::string_view tekst);
  void Clear();
  // The entry for the code, or none.
  std::optional<TIdNr> GetIdNr(std::int32_t code) const;
  bool Has(std::int32_t code) const;

private:
  struct TItem {
    std::int32_t Code = 0;
    std::int32_t RegelNr = 0;
    std::uint32_t TekstStart = 0; // it ends where the next entry's text starts
  };
  TIdNr Entry(std::size_t i) const;
  std::int64_t Find(std::int32_t code) const;

  std::vector<TItem> FItems;
  std::string FTeksten;
  TPositionIndex FByCode;
};
