#include "table/RowSpans.h"

#include <algorithm>

TRowSpan TRowSpans::operator[](std::size_t i) const {
  const auto shape = std::upper_bound(FShapes.begin(), FShapes.end(), i,
                                      [](std::size_t k, const TShape& s) { return k < s.First; }) -
                     1;
  return {FRows[i], shape->Col, shape->ColSpan};
}

void TRowSpans::Add(const TRowSpan& span) {
  if (FShapes.empty() || FShapes.back().Col != span.Col || FShapes.back().ColSpan != span.ColSpan)
    FShapes.push_back({FRows.size(), span.Col, span.ColSpan});
  FRows.push_back(span.Row);
}

std::size_t TRowSpans::LowerBound(int row) const {
  return static_cast<std::size_t>(std::lower_bound(FRows.begin(), FRows.end(), row) -
                                  FRows.begin());
}

std::optional<TRowSpan> TRowSpans::At(int row) const {
  const std::size_t i = LowerBound(row);
  if (i == FRows.size() || FRows[i] != row) return std::nullopt;
  return (*this)[i];
}

void TRowSpans::Clear() {
  FRows = {};
  FShapes = {};
}
