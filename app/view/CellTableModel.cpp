#include "app/view/CellTableModel.h"

#include "app/view/TextMeasure.h"
#include "core/text/Cp1252.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

Qt::Alignment QtAlignment(THorzAlign horz, TVertAlign vert) {
  Qt::Alignment result;
  switch (horz) {
  case THorzAlign::Left:
    result = Qt::AlignLeft;
    break;
  case THorzAlign::Center:
    result = Qt::AlignHCenter;
    break;
  case THorzAlign::Right:
    result = Qt::AlignRight;
    break;
  }
  switch (vert) {
  case TVertAlign::Top:
    result |= Qt::AlignTop;
    break;
  case TVertAlign::Center:
    result |= Qt::AlignVCenter;
    break;
  case TVertAlign::Bottom:
    result |= Qt::AlignBottom;
    break;
  }
  return result;
}

// The most characters of a cell the view is given: more than the widest screen shows in a
// cell, so that a cell of megabytes (a tournament name whose file lost its line ends) is neither
// converted nor laid out whole at every paint. The whole text goes out on copy.
constexpr std::size_t MaxShownChars = 4096;
const char* const Ellipsis = "\xE2\x80\xA6";

// The UTF-8 text cut at a character's start after at most MaxShownChars bytes, with an
// ellipsis where it was cut.
QString ShownText(std::string_view utf8) {
  if (utf8.size() <= MaxShownChars) return QString::fromUtf8(utf8.data(), std::ssize(utf8));
  std::size_t end = MaxShownChars;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(end)) + QString::fromUtf8(Ellipsis);
}

} // namespace

TCellTableModel::TCellTableModel(const TCellTable& table, TCellPart part, QObject* parent)
    : QAbstractTableModel(parent), FTable(table), FPart(part),
      FBodyFont(TableFont(TCellFont::Body)), FHeaderFont(TableFont(TCellFont::Header)) {}

// A part without header rows or columns is empty: the input table has no header row, and a
// view of it would otherwise keep a place for each of its columns.
int TCellTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || FWithheld) return 0;
  const int fixed = std::min(FTable.FixedRows(), FTable.RowCount());
  if (FPart == TCellPart::FixedRows || FPart == TCellPart::Corner) return fixed;
  if (FPart == TCellPart::FixedCols && FTable.FixedCols() == 0) return 0;
  return FTable.RowCount();
}

int TCellTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || FWithheld) return 0;
  const int fixed = std::min(FTable.FixedCols(), FTable.ColCount());
  if (FPart == TCellPart::FixedCols || FPart == TCellPart::Corner) return fixed;
  if (FPart == TCellPart::FixedRows && FTable.FixedRows() == 0) return 0;
  return fixed + std::min(FTable.ColCount() - fixed, WindowCols);
}

int TCellTableModel::TableCol(int col) const {
  return col < FTable.FixedCols() ? col : col + FColShift;
}

int TCellTableModel::ModelCol(int tableCol) const {
  const int fixed = FTable.FixedCols();
  if (tableCol < fixed) return tableCol;
  const int col = tableCol - FColShift;
  return col >= fixed && col < columnCount() ? col : -1;
}

std::pair<int, int> TCellTableModel::ModelCols(int left, int right) const {
  const int fixed = std::min(FTable.FixedCols(), FTable.ColCount());
  const int first = left < fixed ? left : std::max(left - FColShift, fixed);
  // A block's body part left of the window leaves its header columns only.
  if (right >= fixed && right - FColShift < fixed) return {first, fixed - 1};
  return {first, right < fixed ? right : std::min(right - FColShift, columnCount() - 1)};
}

void TCellTableModel::SetColShift(int shift) {
  if (shift == FColShift) return;
  FColShift = shift;
  const int cols = columnCount();
  const int rows = rowCount();
  if (cols == 0 || rows == 0) return;
  emit dataChanged(index(0, 0), index(rows - 1, cols - 1));
  emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
}

QVariant TCellTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = TableCol(index.column());
  const int row = index.row();
  switch (role) {
  case Qt::DisplayRole:
    if (FCellText) return ShownText(FCellText(col, row));
    // A code page 1252 character is one byte: the cut comes before the conversion.
    return ShownText(Cp1252ToUtf8(FTable.GetCell(col, row).substr(0, MaxShownChars + 1)));
  case Qt::FontRole:
    return FTable.IsHeaderCell(col, row) ? FHeaderFont : FBodyFont;
  case Qt::TextAlignmentRole: {
    THorzAlign horz = THorzAlign::Left;
    TVertAlign vert = TVertAlign::Top;
    FTable.Alignment(col, row, horz, vert);
    return static_cast<int>(QtAlignment(horz, vert));
  }
  case Qt::BackgroundRole:
    if (const auto color = FTable.CellColor(col, row))
      return QBrush(QColor(color->R, color->G, color->B));
    if (FTable.IsHeaderCell(col, row)) return QGuiApplication::palette().button();
    return {};
  case Qt::ForegroundRole:
    return QBrush(Qt::black);
  default:
    return {};
  }
}

QVariant TCellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const bool horizontal = orientation == Qt::Horizontal;
  const int fixed = horizontal ? FTable.FixedRows() : FTable.FixedCols();
  if (role != Qt::DisplayRole || FWithheld || fixed == 0 || section < 0)
    return QAbstractTableModel::headerData(section, orientation, role);
  const std::string_view text = horizontal ? FTable.GetCell(TableCol(section), fixed - 1)
                                           : FTable.GetCell(fixed - 1, section);
  return QString::fromUtf8(Cp1252ToUtf8(text));
}

Qt::ItemFlags TCellTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const int col = TableCol(index.column());
  if (FTable.IsHeaderCell(col, index.row())) return Qt::ItemIsEnabled;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  // No edit begins unless the table's owner allows it.
  if (FTable.CanEditCell(col, index.row())) flags |= Qt::ItemIsEditable;
  return flags;
}

void TCellTableModel::Reset() {
  beginResetModel();
  FColShift = 0;
  endResetModel();
}

void TCellTableModel::SetWithheld(bool withheld) {
  beginResetModel();
  FColShift = 0;
  FWithheld = withheld;
  endResetModel();
}
