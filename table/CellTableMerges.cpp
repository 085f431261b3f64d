#include "table/CellTable.h"

#include <algorithm>
#include <utility>

// The merged ranges as a view reads them: a cell's role in its range, and every live range.
TMergeRole TCellTable::MergeRole(int col, int row) const {
  TMergeRole role;
  const std::optional<TMerge> m = MergeAt(col, row);
  if (!m) return role;
  if (col == m->Col && row == m->Row) {
    role.Kind = TMergeRole::First;
    role.ColSpan = m->ColSpan;
    role.RowSpan = m->RowSpan;
  } else {
    role.Kind = TMergeRole::Member;
    role.ColOffset = col - m->Col;
    role.RowOffset = row - m->Row;
  }
  return role;
}

std::vector<TMergedRange> TCellTable::MergedRanges() const {
  std::vector<TMergedRange> ranges;
  for (const TMerge& m : FMerges) {
    if (m.Col >= FColCount || m.Row >= FRowCount) continue;
    if (m.ColSpan == 1 && m.RowSpan == 1) continue;
    // Only the record that still gives the first cell its role describes a live range.
    if (GeneralMergeAt(m.Col, m.Row) != &m) continue;
    ranges.push_back({m.Col, m.Row, m.ColSpan, m.RowSpan});
  }
  for (std::size_t i = 0; i < FRowSpans.Size(); ++i) {
    const TRowSpan s = FRowSpans[i];
    if (s.Col >= FColCount || s.Row >= FRowCount || s.ColSpan == 1) continue;
    if (!GeneralMergeAt(s.Col, s.Row)) ranges.push_back({s.Col, s.Row, s.ColSpan, 1});
  }
  std::sort(ranges.begin(), ranges.end(), [](const TMergedRange& a, const TMergedRange& b) {
    return std::pair{a.Row, a.Col} < std::pair{b.Row, b.Col};
  });
  return ranges;
}
