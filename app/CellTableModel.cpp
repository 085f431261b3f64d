#include "app/CellTableModel.h"

#include "app/TextMeasure.h"
#include "core/Cp1252.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

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

} // namespace

TCellTableModel::TCellTableModel(const TCellTable& table, QObject* parent)
    : QAbstractTableModel(parent), FTable(table), FBodyFont(TableFont(TCellFont::Body)),
      FHeaderFont(TableFont(TCellFont::Header)) {}

int TCellTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || FWithheld ? 0 : FTable.RowCount();
}

int TCellTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || FWithheld ? 0 : FTable.ColCount();
}

QVariant TCellTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = index.column();
  const int row = index.row();
  switch (role) {
  case Qt::DisplayRole:
    if (FCellText) return QString::fromUtf8(FCellText(col, row));
    return QString::fromUtf8(Cp1252ToUtf8(FTable.GetCell(col, row)));
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
  const std::string_view text =
      horizontal ? FTable.GetCell(section, fixed - 1) : FTable.GetCell(fixed - 1, section);
  return QString::fromUtf8(Cp1252ToUtf8(text));
}

Qt::ItemFlags TCellTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (FTable.IsHeaderCell(index.column(), index.row())) return Qt::ItemIsEnabled;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  // No edit begins unless the table's owner allows it.
  if (FTable.CanEditCell(index.column(), index.row())) flags |= Qt::ItemIsEditable;
  return flags;
}

void TCellTableModel::Reset() {
  beginResetModel();
  endResetModel();
}

void TCellTableModel::SetWithheld(bool withheld) {
  beginResetModel();
  FWithheld = withheld;
  endResetModel();
}
