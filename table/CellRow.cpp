#include "table/CellRow.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::size_t MaxRowText = std::numeric_limits<std::uint32_t>::max();

std::uint32_t Narrow(std::size_t n) {
  return static_cast<std::uint32_t>(n);
}

} // namespace

std::string_view TCellRow::Get(std::size_t col) const {
  if (col >= FCellCount) return {};
  const TSlice s = Slices()[col];
  return {Text() + s.Start, s.Length};
}

void TCellRow::Set(std::size_t col, std::string_view text, std::size_t expected) {
  if (col >= FCellCount) {
    if (text.empty()) return;
    if (col >= FCellCapacity) {
      const std::size_t cells =
          std::max(col + 1, FCellCount == 0 ? expected : std::size_t{2} * FCellCapacity);
      Rebuild(cells, FTextCapacity);
    }
    std::fill(Slices() + FCellCount, Slices() + col + 1, TSlice{});
    FCellCount = Narrow(col + 1);
  }
  TSlice* s = &Slices()[col];
  if (text.size() <= s->Length) {
    if (!text.empty()) std::memcpy(Text() + s->Start, text.data(), text.size());
    FUnused += s->Length - Narrow(text.size());
    s->Length = Narrow(text.size());
    return;
  }
  FUnused += s->Length;
  *s = {};
  const std::size_t live = FTextSize - FUnused;
  if (live + text.size() > MaxRowText) throw std::length_error("Grid row too long");
  if (FTextSize + text.size() > FTextCapacity) {
    // Growing with what is in use keeps the cost of every character written constant.
    Rebuild(FCellCapacity, std::min(std::max(live + text.size(), 2 * live), MaxRowText));
    s = &Slices()[col];
  }
  std::memcpy(Text() + FTextSize, text.data(), text.size());
  *s = {FTextSize, Narrow(text.size())};
  FTextSize += Narrow(text.size());
}

void TCellRow::Reserve(std::size_t cells, std::size_t textBytes) {
  if (cells > FCellCapacity || textBytes > FTextCapacity)
    Rebuild(std::max<std::size_t>(cells, FCellCapacity),
            std::max<std::size_t>(textBytes, FTextSize - FUnused));
}

void TCellRow::ClearFirst(std::size_t n) {
  if (n >= FCellCount) {
    *this = TCellRow();
    return;
  }
  for (std::size_t c = 0; c < n; ++c) {
    FUnused += Slices()[c].Length;
    Slices()[c] = {};
  }
}

void TCellRow::Rebuild(std::size_t cells, std::size_t textBytes) {
  const std::size_t textSlices = (textBytes + sizeof(TSlice) - 1) / sizeof(TSlice);
  auto block = std::make_unique<TSlice[]>(cells + textSlices);
  char* text = reinterpret_cast<char*>(block.get() + cells);
  std::uint32_t size = 0;
  for (std::uint32_t c = 0; c < FCellCount; ++c) {
    const TSlice s = Slices()[c];
    if (s.Length > 0) std::memcpy(text + size, Text() + s.Start, s.Length);
    block[c] = {size, s.Length};
    size += s.Length;
  }
  FBlock = std::move(block);
  FCellCapacity = Narrow(cells);
  FTextCapacity = Narrow(std::min(textSlices * sizeof(TSlice), MaxRowText));
  FTextSize = size;
  FUnused = 0;
}
