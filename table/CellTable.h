#pragma once

#include "table/CellColors.h"
#include "table/CellRow.h"
#include "table/RowSpans.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

enum class TCellFont { Body, Header };
enum class THorzAlign { Left, Center, Right };
enum class TVertAlign { Top, Center, Bottom };

// How a cell takes part in a merged range.
struct TMergeRole {
  enum TKind { None, First, Member };
  TKind Kind = None;
  int ColSpan = 1; // First: the range's spans
  int RowSpan = 1;
  int ColOffset = 0; // Member: the offsets from the range's first cell
  int RowOffset = 0;
};

// A merged range as the view draws it: its first cell and its spans.
struct TMergedRange {
  int Col = 0;
  int Row = 0;
  int ColSpan = 1;
  int RowSpan = 1;
};

// Width in pixels of a text drawn in the given font.
using TMeasureText = std::function<int(std::string_view text, TCellFont font)>;
// The owner's edit veto (row first, then column).
using TCanEditCell = std::function<bool(int row, int col)>;
// The owner's alignment answer (row first), preset to left and top.
using TGetAlignment = std::function<void(int row, int col, THorzAlign& horz, TVertAlign& vert)>;

// A rectangle of single-byte text cells addressed by column and row, both from 0, with
// leading header columns and rows. The text store does not depend on the counts: every
// non-negative cell can be written and read, never-written cells read empty, and changing
// a count never erases text.
class TCellTable {
public:
  static constexpr int DefaultColWidth = 64;
  static constexpr int DefaultRowHeight = 21;

  TCellTable(int colCount = 5, int rowCount = 5, int fixedCols = 1, int fixedRows = 1);

  // The text of the cell that (col, row) stands for through a merge; valid until the table
  // is written again.
  std::string_view GetCell(int col, int row) const;
  void SetCell(int col, int row, std::string text);
  // Writes a row that holds nothing yet as SetCell would write its cells from column 0 on,
  // given TAB-separated. Such rows are kept packed, one after the other in one text with TAB
  // between their cells: a table of many short rows costs little more than their text.
  void SetRowText(int row, std::string_view cells);
  // For an owner that knows what it is about to write: room for rows up to `rows` with
  // `textBytes` characters of SetRowText in all, or in one row for `cells` cells of
  // `textBytes` characters in all, so the store takes what it holds.
  void ReserveRows(int rows, std::size_t textBytes = 0);
  void ReserveRow(int row, int cells, std::size_t textBytes);

  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  void SetColCount(int n);
  void SetRowCount(int n);
  int FixedCols() const { return FFixedCols; }
  int FixedRows() const { return FFixedRows; }
  void SetFixedCols(int n);
  void SetFixedRows(int n);

  // The column's width; 64 for a column at or beyond ColCount.
  int ColWidths(int col) const;
  // Throws std::out_of_range("Grid index out of range") for a column at or beyond ColCount.
  void SetColWidths(int col, int width);

  void ClearCells();
  void FitColumnWidths(bool includeHeaderColumns, int extra);
  // The widest FitMergedTexts makes a column: a text of megabytes is shown cut, in a column
  // that still fits a screen.
  static constexpr int MaxFitWidth = 1000;
  // After FitColumnWidths: a text merged across columns that together are narrower than it
  // widens the range's first column, up to MaxFitWidth, so a table of header lines alone still
  // shows them.
  void FitMergedTexts(int extra);
  void MergeRange(int col, int row, int colSpan, int rowSpan);
  void SetCellColor(int col, int row, TCellColor color);
  std::optional<TCellColor> CellColor(int col, int row) const;
  TMergeRole MergeRole(int col, int row) const;
  // The ranges of two or more cells whose first cell lies inside the counts.
  std::vector<TMergedRange> MergedRanges() const;

  // The whole table as the clipboard receives it: TAB between cells, CR LF after rows.
  std::string ClipboardText() const;
  // One row of ClipboardText, its line end included.
  std::string ClipboardRow(int row) const;
  // The bytes of ClipboardText, counted no further than just past the limit: a table of many
  // rows or columns can stand for far more text than it holds.
  std::uintmax_t ClipboardSize(std::uintmax_t limit) const;
  // The block of cells from (left, top) to (right, bottom), bounds included, in the same form.
  std::string ClipboardText(int left, int top, int right, int bottom) const;
  // A selected block as Ctrl+C copies it, in the same form: a merged range's text stands once,
  // in its first cell inside the block, and its other cells are empty.
  std::string SelectionText(int left, int top, int right, int bottom) const;
  // One cell's text as ClipboardText gives it: a text with a CR is quoted and loses its CRs.
  static void AppendClipboardCell(std::string& out, std::string_view text);

  bool IsHeaderCell(int col, int row) const { return col < FFixedCols || row < FFixedRows; }
  // The drawn alignment of a cell: left and top unless the owner's handler says otherwise;
  // a merged range uses its first cell's alignment.
  void Alignment(int col, int row, THorzAlign& horz, TVertAlign& vert) const;
  // Cells are never editable unless the owner's handler allows it.
  bool CanEditCell(int col, int row) const;

  void SetMeasureText(TMeasureText measure);

  // Counts the calls that may have changed the table, so a view can tell when to show it again.
  unsigned Generation() const { return FGeneration; }

  TCanEditCell OnCanEditCell;
  TGetAlignment OnGetAlignment;

private:
  // One MergeRange call: the range's first cell and spans, and the rectangle of cells to
  // which it gives a role (a clear may have cut that rectangle down to the part outside the
  // counts). Where records overlap, the later one wins, as if each call had overwritten the
  // roles of the cells it covers.
  struct TMerge {
    int Col = 0;
    int Row = 0;
    int ColSpan = 1;
    int RowSpan = 1;
    int Left = 0; // covered rectangle, bounds included
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const {
      return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
  };
  // Records covering more rows than this are not listed per row but scanned on every lookup,
  // so that a very tall range cannot blow up the row index.
  static constexpr int IndexedMergeRows = 64;

  // A packed row keeps a checkpoint every this many cells, so that a cell far to the right
  // is found without reading the cells before it.
  static constexpr std::size_t CheckpointCells = 64;
  // A row's place in the store, in four bytes: never written (0), packed at offset - 1 in
  // FPackedText, or its own TCellRow at FOwnRows[index] (OwnRow set).
  using TRowRef = std::uint32_t;
  static constexpr TRowRef OwnRow = TRowRef{1} << 31;
  static std::size_t OwnIndex(TRowRef ref) { return static_cast<std::size_t>(ref & ~OwnRow); }
  static std::size_t PackedOffset(TRowRef ref) { return static_cast<std::size_t>(ref - 1); }
  struct TWideRow {
    std::uint32_t First = 0; // into FCheckpoints
    std::uint32_t Count = 0;
  };

  // The cells of one row from left to right, bounds included, TAB between them.
  void AppendClipboardCells(std::string& out, int row, int left, int right) const;
  std::string_view StoredText(int col, int row) const;
  std::string_view PackedCell(TRowRef ref, int row, int col) const;
  // The row as its own TCellRow, made from its packed cells or empty; for writing.
  TCellRow& OwnRowOf(int row);
  // Calls f(col, text) for each stored cell of the row before column `cols`, left to right.
  template <class F> void ForEachStoredCell(std::size_t row, std::size_t cols, F f) const;
  bool HasMerges() const { return !FMerges.empty() || !FRowSpans.Empty(); }
  // The merge that gives the cell its role, if any: a TMerge, else a row span.
  std::optional<TMerge> MergeAt(int col, int row) const;
  const TMerge* GeneralMergeAt(int col, int row) const;
  std::optional<TRowSpan> RowSpanAt(int col, int row) const;
  static TMerge MergeOf(const TRowSpan& span);
  std::pair<int, int> Resolve(int col, int row) const;
  void IndexMerge(std::uint32_t index);
  void ClearMergesInside();

  std::vector<TRowRef> FRowRefs; // per row; a row grows to its last written cell
  std::vector<TCellRow> FOwnRows;
  std::string FPackedText; // each packed row's cells, TAB between them, NUL after them
  std::unordered_map<int, TWideRow> FWideRows; // packed rows of CheckpointCells cells or more
  std::vector<std::uint32_t> FCheckpoints;     // offsets of cells k * CheckpointCells in the row
  std::vector<TMerge> FMerges;                 // oldest first
  std::vector<std::vector<std::uint32_t>> FRowMerges; // per row: indexes into FMerges, oldest first
  std::vector<std::uint32_t> FTallMerges;             // indexes into FMerges, oldest first
  // One-row merges made while no TMerge existed, each row's after the rows above it (as an
  // owner merges the rows it wrote, top to bottom): all older than every TMerge.
  TRowSpans FRowSpans;
  TCellColors FColors;
  std::vector<int> FColWidths;
  int FColCount = 1;
  int FRowCount = 1;
  int FFixedCols = 0;
  int FFixedRows = 0;
  TMeasureText FMeasure;
  unsigned FGeneration = 0;
};

template <class F>
inline void TCellTable::ForEachStoredCell(std::size_t row, std::size_t cols, F f) const {
  const TRowRef ref = FRowRefs[row];
  if (ref == 0) return;
  if (ref & OwnRow) {
    const TCellRow& cells = FOwnRows[OwnIndex(ref)];
    const std::size_t n = std::min(cols, cells.Size());
    for (std::size_t c = 0; c < n; ++c) f(c, cells.Get(c));
    return;
  }
  const char* p = FPackedText.data() + PackedOffset(ref);
  for (std::size_t c = 0; c < cols; ++c) {
    const std::size_t length = std::strcspn(p, "\t");
    f(c, std::string_view(p, length));
    p += length;
    if (*p == '\0') return;
    ++p;
  }
}
