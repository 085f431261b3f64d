#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A set of line numbers added in ascending order, held in a bit a line: a file of empty lines
// takes an eighth of a byte for each, where a list of numbers would take four.
class TRegelSet {
public:
  void Clear();
  // Makes room for the lines up to that number.
  void Reserve(int regels);
  // A line (from 1) after every line added so far.
  void Add(int regel);
  bool Has(int regel) const;
  // How many lines of the set come before that line.
  int CountBefore(int regel) const;

private:
  std::vector<std::uint64_t> FBits;
  // The lines of the set in the words before each word.
  std::vector<std::uint32_t> FVoor;
};
