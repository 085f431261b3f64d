#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// The texts of one table row in one block of memory, each cell a slice of the block's text:
// a row of many short texts costs its characters and eight bytes a cell, in one allocation,
// not a string object for every cell.
class TCellRow {
public:
  // The cells up to the last one written; later cells read empty.
  std::size_t Size() const { return FCellCount; }
  bool Empty() const { return FCellCount == 0; }
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
  // The block holds the cells' slices, then the text.
  TSlice* Slices() const { return FBlock.get(); }
  char* Text() const { return reinterpret_cast<char*>(FBlock.get() + FCellCapacity); }
  // Moves the row into a new block with room for that many cells and text bytes; text that
  // no cell refers to any more is left behind.
  void Rebuild(std::size_t cells, std::size_t textBytes);

  std::unique_ptr<TSlice[]> FBlock;
  std::uint32_t FCellCount = 0;
  std::uint32_t FCellCapacity = 0;
  std::uint32_t FTextSize = 0;
  std::uint32_t FTextCapacity = 0;
  // Characters of the text that no cell refers to.
  std::uint32_t FUnused = 0;
};
