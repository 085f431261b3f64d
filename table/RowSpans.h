#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The last index of a span, kept inside int for spans that run past the addressable cells.
inline int LastOf(int first, int span) {
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{first} + span - 1, INT_MAX));
}

// A merge of cells in one row: its first cell and how many columns it spans.
struct TRowSpan {
  int Row = 0;
  int Col = 0;
  int ColSpan = 1;
};

// One-row merges in ascending rows, at most one a row. An owner that merges the rows it has
// written gives most of them the same columns, so a row costs four bytes and the columns are
// kept once for each run of rows that shares them.
class TRowSpans {
public:
  bool Empty() const { return FRows.empty(); }
  std::size_t Size() const { return FRows.size(); }
  TRowSpan operator[](std::size_t i) const;
  // Whether a span of that row may be added: the row is below every row held.
  bool CanAdd(int row) const { return FRows.empty() || FRows.back() < row; }
  void Add(const TRowSpan& span);
  // The span of the row, if it has one.
  std::optional<TRowSpan> At(int row) const;
  void Clear();

private:
  // The index of the first span at or below the row.
  std::size_t LowerBound(int row) const;
  struct TShape {
    std::size_t First = 0; // index of the first span of the run
    int Col = 0;
    int ColSpan = 1;
  };
  std::vector<int> FRows;
  std::vector<TShape> FShapes;
};
