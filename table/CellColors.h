#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// An RGB colour of a cell's background.
struct TCellColor {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  bool operator==(const TCellColor&) const = default;
};

// The background colours of a table's cells. An owner that colours the cells of the rows it
// writes, top to bottom, in one colour and in the first 64 columns (a load marking the empty
// fields of its game records) has them kept as one bit a cell in a mask for each coloured row;
// any other colouring goes to a map of its own.
class TCellColors {
public:
  void Set(int col, int row, TCellColor color);
  std::optional<TCellColor> Get(int col, int row) const;
  // Forgets the colours of the cells left of `cols` and above `rows`.
  void ClearInside(int cols, int rows);

private:
  static constexpr int MaskCols = 64;
  static std::uint64_t Key(int col, int row) {
    return (static_cast<std::uint64_t>(col) << 32) | static_cast<std::uint32_t>(row);
  }
  // The index of the row among FMaskRows, or -1.
  std::int64_t MaskIndex(int row) const;

  std::unordered_map<std::uint64_t, TCellColor> FOthers;
  TCellColor FMaskColor;
  std::vector<int> FMaskRows; // ascending
  std::vector<std::uint64_t> FMasks;
};
