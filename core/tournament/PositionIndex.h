#pragma once

#include "core/tournament/FlatIndex.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// An index from 32-bit keys to positions in a list kept by its owner, which also keeps each
// position's key: a slot costs four bytes, so that a list with an entry for nearly every line
// of a file does not cost many times the file in its index.
class TPositionIndex {
public:
  // The position stored under the key, or -1; keyAt(position) gives a stored position's key.
  template <class TKeyAt> std::int64_t Find(std::int32_t key, const TKeyAt& keyAt) const {
    if (FSlots.empty()) return -1;
    const std::uint32_t slot = FSlots[SlotOf(key, keyAt)];
    return slot == 0 ? -1 : std::int64_t{slot} - 1;
  }

  // Stores the position under the key, which is not there yet.
  template <class TKeyAt>
  void Insert(std::int32_t key, std::uint32_t position, const TKeyAt& keyAt) {
    if ((FCount + 1) * 4 > FSlots.size() * 3) Grow(keyAt);
    FSlots[SlotOf(key, keyAt)] = position + 1;
    ++FCount;
  }

  void Clear() {
    FSlots.clear();
    FCount = 0;
  }

private:
  // The slot that holds the key, or the free slot where it belongs.
  template <class TKeyAt> std::size_t SlotOf(std::int32_t key, const TKeyAt& keyAt) const {
    const std::size_t mask = FSlots.size() - 1;
    std::size_t i = FHash(key) & mask;
    while (FSlots[i] != 0 && keyAt(FSlots[i] - 1) != key) i = (i + 1) & mask;
    return i;
  }

  template <class TKeyAt> void Grow(const TKeyAt& keyAt) {
    std::vector<std::uint32_t> old(FSlots.empty() ? 16 : FSlots.size() * 2);
    old.swap(FSlots);
    for (const std::uint32_t slot : old)
      if (slot != 0) FSlots[SlotOf(keyAt(slot - 1), keyAt)] = slot;
  }

  TKeyHash FHash;
  std::vector<std::uint32_t> FSlots; // position + 1; 0 is a free slot
  std::size_t FCount = 0;
};
