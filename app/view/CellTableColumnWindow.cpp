#include "app/view/CellTableView.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

// The window of body columns the view's model shows, moved as the view scrolls, and the
// selection and current cell kept in table columns across its moves.

bool TCellTableView::Windowed() const {
  return !FModel.Withheld() && BodyCols() > TCellTableModel::WindowCols;
}

int TCellTableView::BodyCols() const {
  return FTable.ColCount() - std::min(FTable.FixedCols(), FTable.ColCount());
}

int TCellTableView::CenteredShift(int col) const {
  const int body = col - std::min(FTable.FixedCols(), FTable.ColCount());
  return std::clamp(body - TCellTableModel::WindowCols / 2, 0,
                    std::max(BodyCols() - TCellTableModel::WindowCols, 0));
}

void TCellTableView::ShiftWindow(int shift) {
  if (shift == FModel.ColShift()) return;
  const QModelIndex current = currentIndex();
  if (current.isValid()) FCurrent = {current.row(), FModel.TableCol(current.column())};
  FShifting = true;
  // The current cell taken along must not scroll the view back to where it was.
  const bool autoScroll = hasAutoScroll();
  setAutoScroll(false);
  for (TCellTableModel* model : Models()) model->SetColShift(shift);
  ShowColWidths();
  // A current cell outside the window comes back with it.
  const int col = FCurrent[0] < 0 ? -1 : FModel.ModelCol(FCurrent[1]);
  selectionModel()->setCurrentIndex(col < 0 ? QModelIndex() : FModel.index(FCurrent[0], col),
                                    QItemSelectionModel::NoUpdate);
  SelectBlock();
  setAutoScroll(autoScroll);
  FShifting = false;
  FSpanWindow.fill(-1);
  ShowSpans();
}

void TCellTableView::ShowFirstCol(int first) {
  if (!Windowed()) return;
  QScrollBar* bar = horizontalScrollBar();
  const int shift = FModel.ColShift();
  const bool atEnd = shift + TCellTableModel::WindowCols >= BodyCols();
  // The view's own bar at its end shows the window's last column at the right edge, not the
  // column asked for at the left one.
  const bool inside =
      first >= shift && (first > shift || shift == 0) &&
      (first - shift < bar->maximum() || (atEnd && first - shift <= bar->maximum()));
  if (!inside) ShiftWindow(CenteredShift(first + std::min(FTable.FixedCols(), FTable.ColCount())));
  bar->setValue(first - FModel.ColShift());
  const QSignalBlocker block(FColBar);
  FColBar->setValue(FModel.ColShift() + bar->value());
  ShowSpans();
}

void TCellTableView::KeepInWindow() {
  if (!Windowed()) return;
  const QScrollBar* bar = horizontalScrollBar();
  const int shift = FModel.ColShift();
  const bool atStart = bar->value() == 0 && shift > 0;
  const bool atEnd =
      bar->value() >= bar->maximum() && shift + TCellTableModel::WindowCols < BodyCols();
  if (atStart || atEnd) ShowFirstCol(FColBar->value());
}

// The bar's last position shows the table's last columns that fit in the body at its right.
void TCellTableView::ShowColBar() {
  if (!FColBar || !Windowed()) return;
  const int room = viewport()->width();
  int fitting = 0;
  for (int c = FTable.ColCount() - 1, width = 0; c >= 0 && fitting < BodyCols(); --c) {
    width += FTable.ColWidths(c);
    if (width > room) break;
    ++fitting;
  }
  fitting = std::max(fitting, 1);
  const QSignalBlocker block(FColBar);
  FColBar->setRange(0, BodyCols() - fitting);
  FColBar->setPageStep(fitting);
  if (!FShifting) FColBar->setValue(FModel.ColShift() + horizontalScrollBar()->value());
}

// Keys that leave the window at one of its ends move it first, so the cell they reach exists.
QModelIndex TCellTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  ExtendFromBlock(modifiers);
  const QModelIndex current = currentIndex();
  if (Windowed() && (current.isValid() || FCurrent[0] >= 0)) {
    // A current cell the window left behind is where the keys go on from.
    const int row = current.isValid() ? current.row() : FCurrent[0];
    const int col = current.isValid() ? FModel.TableCol(current.column()) : FCurrent[1];
    const int fixedCols = std::min(FTable.FixedCols(), FTable.ColCount());
    const int at = FModel.ModelCol(col);
    int shift = at < 0 ? CenteredShift(col) : FModel.ColShift();
    switch (action) {
    case MoveHome:
      shift = 0;
      break;
    case MoveEnd:
      shift = BodyCols() - TCellTableModel::WindowCols;
      break;
    case MoveRight:
    case MoveNext:
      if (at == FModel.columnCount() - 1) shift = CenteredShift(col);
      break;
    case MoveLeft:
    case MovePrevious:
      if (at == fixedCols) shift = CenteredShift(col);
      break;
    default:
      break;
    }
    ShiftWindow(shift);
    if (!currentIndex().isValid()) {
      int now = FModel.ModelCol(col);
      if (now < 0) now = col < FModel.TableCol(fixedCols) ? fixedCols : FModel.columnCount() - 1;
      selectionModel()->setCurrentIndex(FModel.index(row, now), QItemSelectionModel::NoUpdate);
    }
  }
  return QTableView::moveCursor(action, modifiers);
}

void TCellTableView::selectionChanged(const QItemSelection& selected,
                                      const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  if (FShifting) return;
  FBlock.fill(-1);
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    const int left = FModel.TableCol(range.left());
    const int right = FModel.TableCol(range.right());
    if (FBlock[0] < 0) {
      FBlock = {left, range.top(), right, range.bottom()};
      continue;
    }
    FBlock = {std::min(FBlock[0], left), std::min(FBlock[1], range.top()),
              std::max(FBlock[2], right), std::max(FBlock[3], range.bottom())};
  }
}

void TCellTableView::selectAll() {
  QTableView::selectAll();
  if (FBlock[0] >= 0) FBlock = {0, FBlock[1], FTable.ColCount() - 1, FBlock[3]};
}

void TCellTableView::SelectBlock() {
  if (FBlock[0] < 0) {
    selectionModel()->clearSelection();
    return;
  }
  const auto [left, top, right, bottom] = FBlock;
  const auto [modelLeft, modelRight] = FModel.ModelCols(left, right);
  if (modelRight < modelLeft) {
    selectionModel()->clearSelection();
    return;
  }
  selectionModel()->select(
      QItemSelection(FModel.index(top, modelLeft), FModel.index(bottom, modelRight)),
      QItemSelectionModel::ClearAndSelect);
}

bool TCellTableView::ShowRow(int row) {
  const int fixedCols = std::min(FTable.FixedCols(), FTable.ColCount());
  const int first = std::min(fixedCols, FModel.columnCount() - 1);
  if (row >= FModel.rowCount() || first < 0) return false;
  ShiftWindow(0);
  const QModelIndex cell = FModel.index(row, first);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
  FShifting = true;
  FBlock = {first, row, FTable.ColCount() - 1, row};
  SelectBlock();
  FShifting = false;
  scrollTo(cell, QAbstractItemView::PositionAtCenter);
  return true;
}

void TCellTableView::ExtendFromBlock(Qt::KeyboardModifiers modifiers) {
  FExtendFrom.fill(-1);
  const QModelIndex current = currentIndex();
  if (!Windowed() || !(modifiers & Qt::ShiftModifier)) return;
  if (!current.isValid() && FCurrent[0] < 0) return;
  // A current cell the window left behind still counts.
  const int col = current.isValid() ? FModel.TableCol(current.column()) : FCurrent[1];
  const int row = current.isValid() ? current.row() : FCurrent[0];
  if (FBlock[0] < 0) {
    FExtendFrom = {col, row};
    return;
  }
  FExtendFrom = {col == FBlock[0] ? FBlock[2] : FBlock[0],
                 row == FBlock[1] ? FBlock[3] : FBlock[1]};
}

void TCellTableView::mousePressEvent(QMouseEvent* e) {
  ExtendFromBlock(e->modifiers());
  QTableView::mousePressEvent(e);
  FExtendFrom.fill(-1);
}

void TCellTableView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  const QModelIndex current = currentIndex();
  if (FExtendFrom[0] < 0 || !current.isValid()) {
    QTableView::setSelection(rect, command);
    return;
  }
  const int col = FModel.TableCol(current.column());
  const int row = current.row();
  FBlock = {std::min(col, FExtendFrom[0]), std::min(row, FExtendFrom[1]),
            std::max(col, FExtendFrom[0]), std::max(row, FExtendFrom[1])};
  FExtendFrom.fill(-1);
  FShifting = true;
  SelectBlock();
  FShifting = false;
}
