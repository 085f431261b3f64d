#include "table/CellTable.h"

#include <algorithm>
#include <climits>
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

// The last index of a span, kept inside int for spans that run past the addressable cells.
int LastOf(int first, int span) {
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{first} + span - 1, INT_MAX));
}

std::uint64_t ColorKey(int col, int row) {
  return (static_cast<std::uint64_t>(col) << 32) | static_cast<std::uint32_t>(row);
}

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
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
  if (col < 0 || row < 0 || static_cast<std::size_t>(row) >= FRows.size()) return {};
  return FRows[row].Get(col);
}

const TCellTable::TMerge* TCellTable::MergeAt(int col, int row) const {
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
  const TMerge* m = MergeAt(col, row);
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
  if (FMerges.empty()) return StoredText(col, row);
  const auto [c, r] = Resolve(col, row);
  return StoredText(c, r);
}

void TCellTable::SetCell(int col, int row, std::string text) {
  ++FGeneration;
  RequireCell(col, row);
  if (!FMerges.empty()) std::tie(col, row) = Resolve(col, row);
  // Writing an empty text where nothing is stored must not grow the store.
  if (static_cast<std::size_t>(row) >= FRows.size()) {
    if (text.empty()) return;
    FRows.resize(row + 1);
  }
  FRows[row].Set(col, text, FColCount);
}

void TCellTable::ReserveRows(int rows) {
  if (rows > 0) FRows.reserve(rows);
}

void TCellTable::ReserveRow(int row, int cells, std::size_t textBytes) {
  if (row < 0 || cells <= 0) return;
  if (static_cast<std::size_t>(row) >= FRows.size()) FRows.resize(row + 1);
  FRows[row].Reserve(cells, textBytes);
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
  const std::size_t rows = std::min<std::size_t>(FRowCount, FRows.size());
  for (std::size_t r = 0; r < rows; ++r) FRows[r].ClearFirst(FColCount);
  while (!FRows.empty() && FRows.back().Empty()) FRows.pop_back();

  std::erase_if(FColors, [this](const auto& entry) {
    const auto col = static_cast<std::int64_t>(entry.first >> 32);
    const auto row = static_cast<std::int64_t>(entry.first & 0xFFFFFFFFu);
    return col < FColCount && row < FRowCount;
  });

  if (!FMerges.empty()) ClearMergesInside();
}

void TCellTable::ClearMergesInside() {
  // The cleared block starts at (0, 0), so what lies outside it is a part to the right of
  // the counts and a part below them; each keeps pointing at its range's first cell.
  std::vector<TMerge> kept;
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

void TCellTable::FitColumnWidths(bool includeHeaderColumns, int extra) {
  ++FGeneration;
  const int first = std::min(includeHeaderColumns ? 0 : FFixedCols, FColCount);
  std::vector<int> widest(FColCount - first, 0);
  const auto measure = [&](int col, int row, std::string_view text) {
    // An empty text has no width; never-written cells are not visited at all.
    if (text.empty()) return;
    const std::string_view line = text.substr(0, text.find('\r'));
    const TCellFont font = IsHeaderCell(col, row) ? TCellFont::Header : TCellFont::Body;
    int& w = widest[col - first];
    w = std::max(w, FMeasure(line, font));
  };

  // Only stored cells and cells of one-column ranges can show a text, so the cost follows
  // what is stored, not ColCount x RowCount.
  const std::size_t rows = std::min<std::size_t>(FRowCount, FRows.size());
  for (std::size_t r = 0; r < rows; ++r) {
    const TCellRow& cells = FRows[r];
    const std::size_t cols = std::min<std::size_t>(FColCount, cells.Size());
    for (std::size_t c = first; c < cols; ++c) {
      const int col = static_cast<int>(c);
      const int row = static_cast<int>(r);
      const std::string_view text = cells.Get(c);
      if (text.empty() || (!FMerges.empty() && MergeAt(col, row))) continue;
      measure(col, row, text);
    }
  }
  // Cells of ranges spanning two or more columns are left out; a one-column range shows its
  // first cell's text in each of its cells.
  for (const TMerge& m : FMerges) {
    if (m.ColSpan != 1 || m.Left < first || m.Left >= FColCount) continue;
    const std::string_view text = StoredText(m.Col, m.Row);
    const int bottom = std::min(m.Bottom, FRowCount - 1);
    for (int r = m.Top; r <= bottom; ++r) {
      if (MergeAt(m.Left, r) == &m) measure(m.Left, r, text);
    }
  }

  for (int c = first; c < FColCount; ++c) {
    std::int64_t width = std::max<std::int64_t>(std::int64_t{widest[c - first]} + 10, 10);
    if (extra != 0) width = std::max<std::int64_t>(width + extra, 10);
    FColWidths[c] = ClampToInt(width);
  }
}

void TCellTable::MergeRange(int col, int row, int colSpan, int rowSpan) {
  ++FGeneration;
  if (colSpan < 1 || rowSpan < 1) return;
  RequireCell(col, row);
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
  FColors[ColorKey(col, row)] = color;
}

std::optional<TCellColor> TCellTable::CellColor(int col, int row) const {
  if (col < 0 || row < 0) return std::nullopt;
  const auto it = FColors.find(ColorKey(col, row));
  if (it == FColors.end()) return std::nullopt;
  return it->second;
}

TMergeRole TCellTable::MergeRole(int col, int row) const {
  TMergeRole role;
  const TMerge* m = MergeAt(col, row);
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
    if (MergeAt(m.Col, m.Row) != &m) continue;
    ranges.push_back({m.Col, m.Row, m.ColSpan, m.RowSpan});
  }
  std::sort(ranges.begin(), ranges.end(), [](const TMergedRange& a, const TMergedRange& b) {
    return std::pair{a.Row, a.Col} < std::pair{b.Row, b.Col};
  });
  return ranges;
}

std::string TCellTable::ClipboardText() const {
  return ClipboardText(0, 0, FColCount - 1, FRowCount - 1);
}

std::string TCellTable::ClipboardText(int left, int top, int right, int bottom) const {
  std::string out;
  for (int r = top; r <= bottom; ++r) {
    AppendClipboardCells(out, r, left, right);
    if (bottom > top) out += "\r\n";
  }
  return out;
}

std::string TCellTable::ClipboardRow(int row) const {
  std::string out;
  AppendClipboardCells(out, row, 0, FColCount - 1);
  if (FRowCount > 1) out += "\r\n";
  return out;
}

std::uintmax_t TCellTable::ClipboardSize(std::uintmax_t limit) const {
  std::uintmax_t size = 0;
  for (int r = 0; r < FRowCount && size <= limit; ++r) {
    if (FColCount > 0) size += static_cast<std::uintmax_t>(FColCount - 1);
    if (FRowCount > 1) size += 2;
    for (int c = 0; c < FColCount && size <= limit; ++c) {
      const std::string_view text = GetCell(c, r);
      const auto returns = static_cast<std::uintmax_t>(std::count(text.begin(), text.end(), '\r'));
      // A cell with a CR is quoted and loses its CRs.
      size += text.size() - returns + (returns > 0 ? 2 : 0);
    }
  }
  return size;
}

void TCellTable::AppendClipboardCells(std::string& out, int row, int left, int right) const {
  for (int c = left; c <= right; ++c) {
    if (c > left) out += '\t';
    AppendClipboardCell(out, GetCell(c, row));
  }
}

void TCellTable::AppendClipboardCell(std::string& out, std::string_view text) {
  if (text.find('\r') == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char ch : text) {
    if (ch != '\r') out += ch;
  }
  out += '"';
}

void TCellTable::Alignment(int col, int row, THorzAlign& horz, TVertAlign& vert) const {
  if (!FMerges.empty()) std::tie(col, row) = Resolve(col, row);
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
