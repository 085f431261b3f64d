#include "core/reading/RegelSet.h"

#include <bit>

namespace {

constexpr std::size_t WordBits = 64;

} // namespace

void TRegelSet::Clear() {
  FBits = {};
  FVoor = {};
}

void TRegelSet::Reserve(int regels) {
  const std::size_t words = (static_cast<std::size_t>(regels) + WordBits - 1) / WordBits;
  FBits.reserve(words);
  FVoor.reserve(words);
}

void TRegelSet::Add(int regel) {
  const auto i = static_cast<std::size_t>(regel - 1);
  // The words before a new one are complete: lines come in ascending order.
  while (FBits.size() <= i / WordBits) {
    FVoor.push_back(
        FBits.empty() ? 0 : FVoor.back() + static_cast<std::uint32_t>(std::popcount(FBits.back())));
    FBits.push_back(0);
  }
  FBits[i / WordBits] |= std::uint64_t{1} << (i % WordBits);
}

bool TRegelSet::Has(int regel) const {
  if (regel < 1) return false;
  const auto i = static_cast<std::size_t>(regel - 1);
  return i / WordBits < FBits.size() && (FBits[i / WordBits] >> (i % WordBits) & 1) != 0;
}

int TRegelSet::CountBefore(int regel) const {
  if (regel < 1 || FBits.empty()) return 0;
  const auto i = static_cast<std::size_t>(regel - 1);
  const std::size_t word = i / WordBits;
  if (word >= FBits.size()) return static_cast<int>(FVoor.back()) + std::popcount(FBits.back());
  const std::uint64_t lower = (std::uint64_t{1} << (i % WordBits)) - 1;
  return static_cast<int>(FVoor[word]) + std::popcount(FBits[word] & lower);
}
