#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The texts of one table row in one buffer, each cell a slice of it: a row of many short
// texts costs its characters and eight bytes a cell, not a string object for every cell.
class TCellRow {
public:
  // The cells up to the last one written; later cells read empty.
  std::size_t Size() const { return FCells.size(); }
  bool Empty() const { return FCells.empty(); }
  // Valid until the row is written again.
  std::string_view Get(std::size_t col) const;
  // A row is usually written left to right up to the column count: the first write makes
  // room for `expected` cells at once. An empty text beyond the last cell stores nothing.
  // Throws std::length_error("Grid row too long") when the row's text would pass 4 GiB.
  void Set(std::size_t col, std::string_view text, std::size_t expected);
  // Makes room for `cells` cells holding `textBytes` characters in all.
  void Reserve(std::size_t cells, std::size_t textBytes);
  // Empties the first n cells.
  void ClearFirst(std::size_t n);

private:
  struct TSlice {
    std::uint32_t Start = 0;
    std::uint32_t Length = 0;
  };
  // Drops the text that no cell refers to any more.
  void Compact();

  std::string FText;
  std::vector<TSlice> FCells;
  // Characters of FText that no cell refers to; compacted away once they are half of it.
  std::size_t FUnused = 0;
};
