#include "table/CellTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

void TCellTable::FitColumnWidths(bool includeHeaderColumns, int extra) {
  ++FGeneration;
  const int first = std::min(includeHeaderColumns ? 0 : FFixedCols, FColCount);
  // The widths themselves collect each column's widest text: a line of millions of fields
  // needs no second array of them.
  std::fill(FColWidths.begin() + first, FColWidths.begin() + FColCount, 0);
  const auto measure = [&](int col, int row, std::string_view text) {
    // An empty text has no width; never-written cells are not visited at all.
    if (text.empty()) return;
    const std::string_view line = text.substr(0, text.find('\r'));
    const TCellFont font = IsHeaderCell(col, row) ? TCellFont::Header : TCellFont::Body;
    int& w = FColWidths[static_cast<std::size_t>(col)];
    w = std::max(w, FMeasure(line, font));
  };

  // Only stored cells and cells of one-column ranges can show a text, so the cost follows
  // what is stored, not ColCount x RowCount.
  const std::size_t rows = std::min<std::size_t>(FRowCount, FRowRefs.size());
  std::size_t next = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    const int row = static_cast<int>(r);
    // The row spans are met in row order, so each row finds its own without a search.
    while (next < FRowSpans.Size() && FRowSpans[next].Row < row) ++next;
    // The columns of the row's span, if it has one.
    int spanLeft = INT_MAX;
    int spanRight = -1;
    if (next < FRowSpans.Size() && FRowSpans[next].Row == row) {
      spanLeft = FRowSpans[next].Col;
      spanRight = LastOf(spanLeft, FRowSpans[next].ColSpan);
    }
    ForEachStoredCell(r, static_cast<std::size_t>(FColCount),
                      [&](std::size_t c, std::string_view text) {
                        const int col = static_cast<int>(c);
                        if (col < first || text.empty()) return;
                        if (col >= spanLeft && col <= spanRight) return;
                        if (!FMerges.empty() && GeneralMergeAt(col, row)) return;
                        measure(col, row, text);
                      });
  }
  // Cells of ranges spanning two or more columns are left out; a one-column range shows its
  // first cell's text in each of its cells.
  for (const TMerge& m : FMerges) {
    if (m.ColSpan != 1 || m.Left < first || m.Left >= FColCount) continue;
    const std::string_view text = StoredText(m.Col, m.Row);
    const int bottom = std::min(m.Bottom, FRowCount - 1);
    for (int r = m.Top; r <= bottom; ++r) {
      if (GeneralMergeAt(m.Left, r) == &m) measure(m.Left, r, text);
    }
  }
  for (std::size_t i = 0; i < FRowSpans.Size(); ++i) {
    const TRowSpan s = FRowSpans[i];
    if (s.ColSpan != 1 || s.Col < first || s.Col >= FColCount || s.Row >= FRowCount) continue;
    if (!GeneralMergeAt(s.Col, s.Row)) measure(s.Col, s.Row, StoredText(s.Col, s.Row));
  }

  for (int c = first; c < FColCount; ++c) {
    std::int64_t width = std::max<std::int64_t>(std::int64_t{FColWidths[c]} + 10, 10);
    if (extra != 0) width = std::max<std::int64_t>(width + extra, 10);
    FColWidths[c] = ClampToInt(width);
  }
}

void TCellTable::FitMergedTexts(int extra) {
  ++FGeneration;
  const auto padded = [extra](std::int64_t text) {
    return static_cast<int>(
        std::min<std::int64_t>(std::max<std::int64_t>(text + 10 + extra, 10), MaxFitWidth));
  };
  // The columns are summed only as far as the text reaches, so a range over millions of
  // columns costs no more than a short one.
  const auto widen = [&](int col, int row, int left, std::int64_t colSpan) {
    if (colSpan < 2 || left >= FColCount || row >= FRowCount) return;
    const std::string_view text = StoredText(col, row);
    if (text.empty()) return;
    const std::string_view line = text.substr(0, text.find('\r'));
    const TCellFont font = IsHeaderCell(col, row) ? TCellFont::Header : TCellFont::Body;
    const int need = padded(FMeasure(line, font));
    const std::int64_t end = std::min<std::int64_t>(left + colSpan, FColCount);
    std::int64_t room = 0;
    for (std::int64_t c = left; c < end && room < need; ++c)
      room += FColWidths[static_cast<std::size_t>(c)];
    if (room < need)
      FColWidths[left] =
          std::max(FColWidths[left],
                   std::min(FColWidths[left] + static_cast<int>(need - room), MaxFitWidth));
  };
  for (const TMerge& m : FMerges) widen(m.Col, m.Row, m.Left, std::int64_t{m.Right} - m.Left + 1);
  for (std::size_t i = 0; i < FRowSpans.Size(); ++i) {
    const TRowSpan span = FRowSpans[i];
    widen(span.Col, span.Row, span.Col, span.ColSpan);
  }
}
