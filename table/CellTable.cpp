#include "table/CellTable.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

// Until the owner supplies real font metrics: a fixed width per byte, wider in the bold font.
int FixedWidthMeasure(std::string_view text, TCellFont font) {
  const std::size_t perChar = font == TCellFont::Header ? 8 : 7;
  return static_cast<int>(std::min<std::size_t>(text.size() * perChar, INT_MAX));
}

void RequireCell(int col, int row) {
  if (col < 0 || row < 0) throw std::out_of_range("Grid index out of range");
}

} // namespace

TCellTable::TCellTable(int colCount, int rowCount, int fixedCols, int fixedRows)
    : FColCount(std::max(colCount, 1)), FRowCount(std::max(rowCount, 1)),
      FMeasure(FixedWidthMeasure) {
  FColWidths.assign(FColCount, DefaultColWidth);
  SetFixedCols(fixedCols);
  SetFixedRows(fixedRows);
}

std::string_view TCellTable::StoredText(int col, int row) const {
  if (col < 0 || row < 0 || static_cast<std::size_t>(row) >= FRowRefs.size()) return {};
  const TRowRef ref = FRowRefs[static_cast<std::size_t>(row)];
  if (ref == 0) return {};
  if (ref & OwnRow) return FOwnRows[OwnIndex(ref)].Get(static_cast<std::size_t>(col));
  return PackedCell(ref, row, col);
}

std::string_view TCellTable::PackedCell(TRowRef ref, int row, int col) const {
  const char* p = FPackedText.data() + PackedOffset(ref);
  auto skip = static_cast<std::size_t>(col);
  if (skip >= CheckpointCells) {
    const auto wide = FWideRows.find(row);
    if (wide == FWideRows.end()) return {};
    const std::size_t k = skip / CheckpointCells;
    if (k > wide->second.Count) return {};
    p += FCheckpoints[wide->second.First + k - 1];
    skip %= CheckpointCells;
  }
  for (; skip > 0; --skip) {
    p += std::strcspn(p, "\t");
    if (*p == '\0') return {};
    ++p;
  }
  return {p, std::strcspn(p, "\t")};
}

TCellRow& TCellTable::OwnRowOf(int row) {
  const auto r = static_cast<std::size_t>(row);
  if (r >= FRowRefs.size()) FRowRefs.resize(r + 1);
  const TRowRef ref = FRowRefs[r];
  if (ref & OwnRow) return FOwnRows[OwnIndex(ref)];
  TCellRow cells;
  if (ref != 0) {
    ForEachStoredCell(r, std::numeric_limits<std::size_t>::max(),
                      [&](std::size_t c, std::string_view text) { cells.Set(c, text, 0); });
    FWideRows.erase(row);
  }
  FRowRefs[r] = OwnRow | static_cast<TRowRef>(FOwnRows.size());
  FOwnRows.push_back(std::move(cells));
  return FOwnRows.back();
}

TCellTable::TMerge TCellTable::MergeOf(const TRowSpan& span) {
  TMerge m;
  m.Col = m.Left = span.Col;
  m.Row = m.Top = m.Bottom = span.Row;
  m.ColSpan = span.ColSpan;
  m.Right = LastOf(span.Col, span.ColSpan);
  return m;
}

std::optional<TRowSpan> TCellTable::RowSpanAt(int col, int row) const {
  const std::optional<TRowSpan> span = FRowSpans.At(row);
  if (!span || col < span->Col || col > LastOf(span->Col, span->ColSpan)) return std::nullopt;
  return span;
}

std::optional<TCellTable::TMerge> TCellTable::MergeAt(int col, int row) const {
  if (const TMerge* m = GeneralMergeAt(col, row)) return *m;
  if (const std::optional<TRowSpan> s = RowSpanAt(col, row)) return MergeOf(*s);
  return std::nullopt;
}

const TCellTable::TMerge* TCellTable::GeneralMergeAt(int col, int row) const {
  if (col < 0 || row < 0) return nullptr;
  std::int64_t best = -1;
  if (static_cast<std::size_t>(row) < FRowMerges.size()) {
    const std::vector<std::uint32_t>& list = FRowMerges[row];
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
      if (FMerges[*it].Contains(col, row)) {
        best = *it;
        break;
      }
    }
  }
  for (auto it = FTallMerges.rbegin(); it != FTallMerges.rend() && *it > best; ++it) {
    if (FMerges[*it].Contains(col, row)) {
      best = *it;
      break;
    }
  }
  return best < 0 ? nullptr : &FMerges[static_cast<std::size_t>(best)];
}

std::pair<int, int> TCellTable::Resolve(int col, int row) const {
  const std::optional<TMerge> m = MergeAt(col, row);
  return m ? std::pair{m->Col, m->Row} : std::pair{col, row};
}

void TCellTable::IndexMerge(std::uint32_t index) {
  const TMerge& m = FMerges[index];
  if (m.Bottom - m.Top >= IndexedMergeRows) {
    FTallMerges.push_back(index);
    return;
  }
  if (FRowMerges.size() <= static_cast<std::size_t>(m.Bottom)) FRowMerges.resize(m.Bottom + 1);
  for (int r = m.Top; r <= m.Bottom; ++r) FRowMerges[r].push_back(index);
}

std::string_view TCellTable::GetCell(int col, int row) const {
  if (!HasMerges()) return StoredText(col, row);
  const auto [c, r] = Resolve(col, row);
  return StoredText(c, r);
}

void TCellTable::SetCell(int col, int row, std::string text) {
  ++FGeneration;
  RequireCell(col, row);
  if (HasMerges()) std::tie(col, row) = Resolve(col, row);
  // Writing an empty text where nothing is stored must not grow the store.
  if (text.empty() && StoredText(col, row).empty()) return;
  OwnRowOf(row).Set(static_cast<std::size_t>(col), text, static_cast<std::size_t>(FColCount));
}

void TCellTable::SetRowText(int row, std::string_view cells) {
  RequireCell(0, row);
  cells = cells.substr(0, cells.find_last_not_of('\t') + 1);
  const auto r = static_cast<std::size_t>(row);
  const bool fresh = r >= FRowRefs.size() || FRowRefs[r] == 0;
  // A merge may send a cell elsewhere, a NUL would end the row early, and a row that starts
  // 2 GiB into the packed text has no four-byte place: those are written cell by cell.
  if (!fresh || HasMerges() || cells.find('\0') != std::string_view::npos ||
      FPackedText.size() + cells.size() + 1 >= OwnRow) {
    int col = 0;
    for (std::size_t tab = cells.find('\t');; tab = cells.find('\t'), ++col) {
      SetCell(col, row, std::string(cells.substr(0, tab)));
      if (tab == std::string_view::npos) return;
      cells.remove_prefix(tab + 1);
    }
  }
  ++FGeneration;
  if (cells.empty()) return;
  if (r >= FRowRefs.size()) FRowRefs.resize(r + 1);
  const std::size_t start = FPackedText.size();
  FRowRefs[r] = static_cast<TRowRef>(start + 1);
  FPackedText += cells;
  FPackedText += '\0';
  if (cells.size() + 1 < CheckpointCells) return;
  TWideRow wide{static_cast<std::uint32_t>(FCheckpoints.size()), 0};
  std::size_t col = 0;
  for (std::size_t tab = cells.find('\t'); tab != std::string_view::npos;
       tab = cells.find('\t', tab + 1)) {
    if (++col % CheckpointCells == 0) {
      FCheckpoints.push_back(static_cast<std::uint32_t>(tab + 1));
      ++wide.Count;
    }
  }
  if (wide.Count > 0) FWideRows[row] = wide;
}

void TCellTable::ReserveRows(int rows, std::size_t textBytes) {
  if (rows > 0) FRowRefs.reserve(static_cast<std::size_t>(rows));
  FPackedText.reserve(textBytes);
}

void TCellTable::ReserveRow(int row, int cells, std::size_t textBytes) {
  if (row < 0 || cells <= 0) return;
  OwnRowOf(row).Reserve(static_cast<std::size_t>(cells), textBytes);
}

void TCellTable::SetColCount(int n) {
  ++FGeneration;
  n = std::max(n, 1);
  if (n == FColCount) return;
  if (FFixedCols >= n) FFixedCols = n - 1;
  // Dropped columns lose their widths, so a column that comes back starts at the default.
  FColWidths.resize(n, DefaultColWidth);
  FColCount = n;
}

void TCellTable::SetRowCount(int n) {
  ++FGeneration;
  n = std::max(n, 1);
  if (n == FRowCount) return;
  if (FFixedRows >= n) FFixedRows = n - 1;
  FRowCount = n;
}

void TCellTable::SetFixedCols(int n) {
  ++FGeneration;
  FFixedCols = std::clamp(n, 0, FColCount - 1);
}

void TCellTable::SetFixedRows(int n) {
  ++FGeneration;
  FFixedRows = std::clamp(n, 0, FRowCount - 1);
}

int TCellTable::ColWidths(int col) const {
  return col >= 0 && col < FColCount ? FColWidths[col] : DefaultColWidth;
}

void TCellTable::SetColWidths(int col, int width) {
  ++FGeneration;
  if (col < 0 || col >= FColCount) throw std::out_of_range("Grid index out of range");
  FColWidths[col] = width;
}

void TCellTable::ClearCells() {
  ++FGeneration;
  const std::size_t rows = std::min<std::size_t>(FRowCount, FRowRefs.size());
  for (std::size_t r = 0; r < rows; ++r) {
    TRowRef& ref = FRowRefs[r];
    if (ref == 0) continue;
    if (!(ref & OwnRow)) {
      // A packed row wholly inside the counts is dropped; its text stays until no packed row
      // is left.
      std::size_t cells = 0;
      ForEachStoredCell(r, std::numeric_limits<std::size_t>::max(),
                        [&](std::size_t, std::string_view) { ++cells; });
      if (cells <= static_cast<std::size_t>(FColCount)) {
        ref = 0;
        FWideRows.erase(static_cast<int>(r));
        continue;
      }
      OwnRowOf(static_cast<int>(r));
    }
    TCellRow& cells = FOwnRows[OwnIndex(ref)];
    cells.ClearFirst(static_cast<std::size_t>(FColCount));
    if (cells.Empty()) ref = 0;
  }
  while (!FRowRefs.empty() && FRowRefs.back() == 0) FRowRefs.pop_back();
  const bool anyPacked = std::any_of(FRowRefs.begin(), FRowRefs.end(),
                                     [](TRowRef ref) { return ref != 0 && !(ref & OwnRow); });
  if (!anyPacked) {
    FPackedText = {};
    FWideRows.clear();
    FCheckpoints = {};
  }
  if (std::none_of(FRowRefs.begin(), FRowRefs.end(),
                   [](TRowRef ref) { return (ref & OwnRow) != 0; }))
    std::vector<TCellRow>().swap(FOwnRows);

  FColors.ClearInside(FColCount, FRowCount);

  if (HasMerges()) ClearMergesInside();
}

void TCellTable::ClearMergesInside() {
  // The cleared block starts at (0, 0), so what lies outside it is a part to the right of
  // the counts and a part below them; each keeps pointing at its range's first cell.
  std::vector<TMerge> kept;
  TRowSpans keptSpans;
  // What is left of a row span is older than every TMerge, so it comes first.
  for (std::size_t i = 0; i < FRowSpans.Size(); ++i) {
    const TRowSpan s = FRowSpans[i];
    if (s.Col >= FColCount || s.Row >= FRowCount) {
      keptSpans.Add(s);
      continue;
    }
    TMerge m = MergeOf(s);
    if (m.Right >= FColCount) {
      m.Left = FColCount;
      kept.push_back(m);
    }
  }
  FRowSpans = std::move(keptSpans);
  for (const TMerge& m : FMerges) {
    if (m.Left >= FColCount || m.Top >= FRowCount) {
      kept.push_back(m);
      continue;
    }
    if (m.Right >= FColCount) {
      TMerge right = m;
      right.Left = FColCount;
      right.Bottom = std::min(m.Bottom, FRowCount - 1);
      kept.push_back(right);
    }
    if (m.Bottom >= FRowCount) {
      TMerge below = m;
      below.Top = FRowCount;
      kept.push_back(below);
    }
  }
  FMerges = std::move(kept);
  FRowMerges.clear();
  FTallMerges.clear();
  for (std::size_t i = 0; i < FMerges.size(); ++i) IndexMerge(static_cast<std::uint32_t>(i));
}

void TCellTable::MergeRange(int col, int row, int colSpan, int rowSpan) {
  ++FGeneration;
  if (colSpan < 1 || rowSpan < 1) return;
  RequireCell(col, row);
  if (rowSpan == 1 && FMerges.empty() && FRowSpans.CanAdd(row)) {
    FRowSpans.Add({row, col, colSpan});
    return;
  }
  TMerge m;
  m.Col = m.Left = col;
  m.Row = m.Top = row;
  m.ColSpan = colSpan;
  m.RowSpan = rowSpan;
  m.Right = LastOf(col, colSpan);
  m.Bottom = LastOf(row, rowSpan);
  FMerges.push_back(m);
  IndexMerge(static_cast<std::uint32_t>(FMerges.size() - 1));
}

void TCellTable::SetCellColor(int col, int row, TCellColor color) {
  ++FGeneration;
  RequireCell(col, row);
  FColors.Set(col, row, color);
}

std::optional<TCellColor> TCellTable::CellColor(int col, int row) const {
  return FColors.Get(col, row);
}

void TCellTable::Alignment(int col, int row, THorzAlign& horz, TVertAlign& vert) const {
  if (HasMerges()) std::tie(col, row) = Resolve(col, row);
  horz = THorzAlign::Left;
  vert = TVertAlign::Top;
  if (OnGetAlignment) OnGetAlignment(row, col, horz, vert);
}

bool TCellTable::CanEditCell(int col, int row) const {
  return OnCanEditCell && OnCanEditCell(row, col);
}

void TCellTable::SetMeasureText(TMeasureText measure) {
  FMeasure = measure ? std::move(measure) : TMeasureText(FixedWidthMeasure);
}
