#include "table/CellTable.h"

#include <algorithm>

// The table as the clipboard takes it: cells separated by TAB, rows by CR LF, and a cell that
// holds a CR between double quotes without its CRs.

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

std::string TCellTable::SelectionText(int left, int top, int right, int bottom) const {
  std::string out;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) out += '\t';
      const TMergeRole role = MergeRole(c, r);
      // A member stands for its range's text when it is the range's first cell in the block.
      const bool repeated = role.Kind == TMergeRole::Member &&
                            ((role.ColOffset > 0 && c > left) || (role.RowOffset > 0 && r > top));
      if (!repeated) AppendClipboardCell(out, GetCell(c, r));
    }
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
