#include "table/CellColors.h"

#include <algorithm>

std::int64_t TCellColors::MaskIndex(int row) const {
  const auto it = std::lower_bound(FMaskRows.begin(), FMaskRows.end(), row);
  if (it == FMaskRows.end() || *it != row) return -1;
  return it - FMaskRows.begin();
}

void TCellColors::Set(int col, int row, TCellColor color) {
  const bool fits =
      col < MaskCols && (FMaskRows.empty() || (FMaskRows.back() <= row && FMaskColor == color));
  const std::int64_t index = MaskIndex(row);
  if (fits) {
    if (FMaskRows.empty()) FMaskColor = color;
    if (index < 0) {
      FMaskRows.push_back(row);
      FMasks.push_back(0);
    }
    FMasks.back() |= std::uint64_t{1} << col;
    FOthers.erase(Key(col, row));
    return;
  }
  FOthers[Key(col, row)] = color;
  if (index >= 0 && col < MaskCols)
    FMasks[static_cast<std::size_t>(index)] &= ~(std::uint64_t{1} << col);
}

std::optional<TCellColor> TCellColors::Get(int col, int row) const {
  if (col < 0 || row < 0) return std::nullopt;
  if (const auto it = FOthers.find(Key(col, row)); it != FOthers.end()) return it->second;
  if (col >= MaskCols) return std::nullopt;
  const std::int64_t index = MaskIndex(row);
  if (index < 0 || !(FMasks[static_cast<std::size_t>(index)] & (std::uint64_t{1} << col)))
    return std::nullopt;
  return FMaskColor;
}

void TCellColors::ClearInside(int cols, int rows) {
  std::erase_if(FOthers, [&](const auto& entry) {
    const auto col = static_cast<std::int64_t>(entry.first >> 32);
    const auto row = static_cast<std::int64_t>(entry.first & 0xFFFFFFFFu);
    return col < cols && row < rows;
  });
  const std::uint64_t inside =
      cols >= MaskCols ? ~std::uint64_t{0} : (std::uint64_t{1} << cols) - 1;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < FMaskRows.size(); ++i) {
    std::uint64_t mask = FMasks[i];
    if (FMaskRows[i] < rows) mask &= ~inside;
    if (mask == 0) continue;
    FMaskRows[kept] = FMaskRows[i];
    FMasks[kept++] = mask;
  }
  FMaskRows.resize(kept);
  FMasks.resize(kept);
  if (kept == 0) {
    FMaskRows.shrink_to_fit();
    FMasks.shrink_to_fit();
  }
}
