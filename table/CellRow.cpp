#include "table/CellRow.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::size_t MaxRowText = std::numeric_limits<std::uint32_t>::max();
// Rows with less unused text than this are not worth compacting.
constexpr std::size_t MinCompacted = 256;

} // namespace

std::string_view TCellRow::Get(std::size_t col) const {
  if (col >= FCells.size()) return {};
  const TSlice s = FCells[col];
  return std::string_view(FText).substr(s.Start, s.Length);
}

void TCellRow::Set(std::size_t col, std::string_view text, std::size_t expected) {
  if (col >= FCells.size()) {
    if (text.empty()) return;
    if (FCells.empty()) FCells.reserve(std::max(col + 1, expected));
    FCells.resize(col + 1);
  }
  TSlice& s = FCells[col];
  if (text.size() <= s.Length) {
    std::copy(text.begin(), text.end(), FText.begin() + s.Start);
    FUnused += s.Length - text.size();
    s.Length = static_cast<std::uint32_t>(text.size());
  } else {
    if (FText.size() - FUnused + text.size() > MaxRowText)
      throw std::length_error("Grid row too long");
    FUnused += s.Length;
    s = {};
    if (FUnused >= MinCompacted && FUnused > FText.size() / 2) Compact();
    if (FText.size() + text.size() > MaxRowText) Compact();
    s = {static_cast<std::uint32_t>(FText.size()), static_cast<std::uint32_t>(text.size())};
    FText.append(text);
  }
}

void TCellRow::Reserve(std::size_t cells, std::size_t textBytes) {
  FCells.reserve(cells);
  FText.reserve(textBytes);
}

void TCellRow::ClearFirst(std::size_t n) {
  if (n >= FCells.size()) {
    std::string().swap(FText);
    std::vector<TSlice>().swap(FCells);
    FUnused = 0;
    return;
  }
  for (std::size_t c = 0; c < n; ++c) {
    FUnused += FCells[c].Length;
    FCells[c] = {};
  }
  if (FUnused >= MinCompacted && FUnused > FText.size() / 2) Compact();
}

void TCellRow::Compact() {
  std::string text;
  text.reserve(FText.size() - FUnused);
  for (TSlice& s : FCells) {
    const std::uint32_t start = static_cast<std::uint32_t>(text.size());
    text.append(FText, s.Start, s.Length);
    s.Start = start;
  }
  FText = std::move(text);
  FUnused = 0;
}
