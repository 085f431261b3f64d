#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

// A hash of 64-bit keys under a random key drawn once per process: keys chosen in a file
// cannot be made to fall together, because the file's maker cannot know where they fall.
class TKeyHash {
public:
  TKeyHash() : FSeed(ProcessSeed()) {}

  std::size_t operator()(std::int32_t key) const {
    return (*this)(static_cast<std::uint64_t>(static_cast<std::uint32_t>(key)));
  }
  std::size_t operator()(std::uint64_t key) const {
    key ^= FSeed;
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    key *= 0xc4ceb9fe1a85ec53ULL;
    key ^= key >> 33;
    return static_cast<std::size_t>(key);
  }

private:
  static std::uint64_t ProcessSeed() {
    static const std::uint64_t seed = [] {
      std::random_device device;
      return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    }();
    return seed;
  }

  std::uint64_t FSeed;
};

// An index from 64-bit keys to objects in one open-addressed array: the first object stored
// under a key stays. A load makes two entries per game line, so entries must cost no
// allocation of their own.
template <class T> class TFlatIndex {
public:
  // Stores the object unless the key is there already; returns whether it was stored.
  bool Insert(std::uint64_t key, T* value) {
    if ((FCount + 1) * 4 > FSlots.size() * 3) Grow();
    TSlot& slot = FSlots[SlotOf(key)];
    if (slot.Value) return false;
    slot = {key, value};
    ++FCount;
    return true;
  }

  // The object stored under the key, or none.
  T* Find(std::uint64_t key) const {
    if (FSlots.empty()) return nullptr;
    return FSlots[SlotOf(key)].Value;
  }

  void Clear() {
    FSlots.clear();
    FCount = 0;
  }

private:
  // A slot without an object is free.
  struct TSlot {
    std::uint64_t Key = 0;
    T* Value = nullptr;
  };

  // The slot that holds the key, or the free slot where it belongs.
  std::size_t SlotOf(std::uint64_t key) const {
    const std::size_t mask = FSlots.size() - 1;
    std::size_t i = FHash(key) & mask;
    while (FSlots[i].Value && FSlots[i].Key != key) i = (i + 1) & mask;
    return i;
  }

  void Grow() {
    std::vector<TSlot> old(FSlots.empty() ? 16 : FSlots.size() * 2);
    old.swap(FSlots);
    for (const TSlot& slot : old)
      if (slot.Value) FSlots[SlotOf(slot.Key)] = slot;
  }

  TKeyHash FHash;
  std::vector<TSlot> FSlots;
  std::size_t FCount = 0;
};
