#include "app/view/CellTableView.h"

#include "app/view/CellDelegate.h"
#include "app/view/TextMeasure.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace {

// The look and behaviour shared by the table and its header views.
void SetUpCells(QTableView* view) {
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->horizontalHeader()->setMinimumSectionSize(0);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setMinimumSectionSize(0);
  view->verticalHeader()->setDefaultSectionSize(TCellTable::DefaultRowHeight);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSortingEnabled(false);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  view->setWordWrap(true);
  view->setTextElideMode(Qt::ElideNone);
  view->setAlternatingRowColors(false);
  view->setFont(TableFont(TCellFont::Body));
}

bool IsMouseEvent(const QEvent* e) {
  switch (e->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
    return true;
  default:
    return false;
  }
}

} // namespace

TCellTableView::TCellTableView(const TCellTable& table, QWidget* parent)
    : QTableView(parent), FTable(table), FModel(table),
      FFixedColsModel(table, TCellPart::FixedCols), FFixedRowsModel(table, TCellPart::FixedRows),
      FCornerModel(table, TCellPart::Corner) {
  setModel(&FModel);
  setItemDelegate(new TCellDelegate(this));
  SetUpCells(this);
  setStyleSheet(QStringLiteral("QTableView { gridline-color: #c0c0c0;"
                               " selection-background-color: rgb(182, 202, 234);"
                               " selection-color: black; }"));
  FFixedCols = NewFixedView("FixedCols", FFixedColsModel);
  FFixedRows = NewFixedView("FixedRows", FFixedRowsModel);
  FFixedCorner = NewFixedView("FixedCorner", FCornerModel);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, FFixedCols->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, FFixedRows->horizontalScrollBar(),
          &QScrollBar::setValue);
  // A header view that lays itself out after the table takes the table's place again.
  connect(FFixedCols->verticalScrollBar(), &QScrollBar::rangeChanged, this,
          [this] { FFixedCols->verticalScrollBar()->setValue(verticalScrollBar()->value()); });
  connect(FFixedRows->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
          [this] { FFixedRows->horizontalScrollBar()->setValue(horizontalScrollBar()->value()); });
  for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
    connect(bar, &QScrollBar::valueChanged, this, [this] { ShowSpans(); });
  FColBar = new QScrollBar(Qt::Horizontal, this);
  FColBar->setObjectName(QStringLiteral("ColBar"));
  FColBar->hide();
  connect(FColBar, &QScrollBar::valueChanged, this, [this](int first) { ShowFirstCol(first); });
  // The view scrolls itself too (keys, wheel, a cell brought into view): the table's bar
  // follows, and the window when the view reached one of its ends, once the view is done.
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (FShifting || !Windowed()) return;
    const QSignalBlocker block(FColBar);
    FColBar->setValue(FModel.ColShift() + value);
    QMetaObject::invokeMethod(
        this, [this] { KeepInWindow(); }, Qt::QueuedConnection);
  });
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { emit RowOpened(index.row()); });
  FShownGeneration = FTable.Generation() - 1;
  Refresh();
}

// A header view shows the table's header cells, which are never selected, but takes no focus
// and no clicks, and scrolls only with the table: the wheel over it scrolls the table.
QTableView* TCellTableView::NewFixedView(const char* name, TCellTableModel& model) {
  auto* view = new QTableView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->setModel(&model);
  view->setItemDelegate(itemDelegate());
  SetUpCells(view);
  view->setFocusPolicy(Qt::NoFocus);
  view->setAutoScroll(false);
  view->setFrameShape(QFrame::NoFrame);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->viewport()->installEventFilter(this);
  return view;
}

void TCellTableView::Refresh() {
  if (FModel.Withheld() || FShownGeneration == FTable.Generation()) return;
  for (TCellTableModel* model : Models()) model->Reset();
  ShowTable();
}

void TCellTableView::ShowTable() {
  FShownGeneration = FTable.Generation();
  FBlock.fill(-1);
  FCurrent.fill(-1);
  const Qt::ScrollBarPolicy policy = Windowed() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
  if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
  ShowColWidths();
  HideHeaderCells();
  PlaceFixedViews();
  FSpanWindow.fill(-1);
  ShowSpans();
}

void TCellTableView::SetWithheld(bool withheld) {
  if (withheld == FModel.Withheld()) return;
  for (TCellTableModel* model : Models()) model->SetWithheld(withheld);
  if (withheld) {
    for (QTableView* view : {static_cast<QTableView*>(this), FFixedCols, FFixedRows, FFixedCorner})
      view->clearSpans();
    FSpanWindow = {};
    FBlock.fill(-1);
    FCurrent.fill(-1);
    PlaceFixedViews();
    return;
  }
  // Released, the models were reset once already: a table of millions of rows is costly to
  // take up, and the window waits meanwhile.
  ShowTable();
}

// Only the merged ranges that reach the cells in view go to the views: a file of a million
// header-like lines has a million of them, too many to hand over while the user waits.
void TCellTableView::ShowSpans() {
  if (!FFixedCorner || FModel.Withheld()) return;
  const int rows = FTable.RowCount();
  const int cols = FModel.columnCount();
  const int fixedRows = std::min(FTable.FixedRows(), rows);
  const int fixedCols = std::min(FTable.FixedCols(), cols);
  // Past the last row or column the view's answer is -1. A row is never less than a few
  // pixels high and a column never less than one pixel wide, which bounds the cells visited
  // also for a view not laid out yet.
  const auto last = [](int at, int first, int count, int most) {
    return std::min(at < 0 ? count - 1 : at, first + most);
  };
  const int top = std::max(rowAt(0), fixedRows);
  const int bottom = last(rowAt(viewport()->height() - 1), top, rows, viewport()->height() / 4);
  const int left = std::max(columnAt(0), fixedCols);
  const int right = last(columnAt(viewport()->width() - 1), left, cols, viewport()->width());
  const std::array<int, 4> window{top, bottom, left, right};
  if (window == FSpanWindow && FSpanGeneration == FTable.Generation()) return;
  FSpanWindow = window;
  FSpanGeneration = FTable.Generation();

  for (QTableView* view : {static_cast<QTableView*>(this), FFixedCols, FFixedRows, FFixedCorner})
    view->clearSpans();
  std::set<std::pair<int, int>> shown;
  const auto showAt = [&](int col, int row) {
    const TMergeRole role = FTable.MergeRole(col, row);
    if (role.Kind == TMergeRole::None) return;
    const int first = col - role.ColOffset;
    const int firstRow = row - role.RowOffset;
    if (!shown.insert({firstRow, first}).second) return;
    const TMergeRole range =
        role.Kind == TMergeRole::First ? role : FTable.MergeRole(first, firstRow);
    // The window may cut the range on either side.
    const auto [modelFirst, modelLast] = FModel.ModelCols(first, first + range.ColSpan - 1);
    if (modelLast < modelFirst) return;
    const int modelSpan = modelLast - modelFirst + 1;
    if (modelSpan > 1 || range.RowSpan > 1) setSpan(firstRow, modelFirst, range.RowSpan, modelSpan);
    const bool inFixedCols = first < fixedCols;
    const bool inFixedRows = firstRow < fixedRows;
    // A header view's part ends with the header columns or rows; so do its spans.
    const int colsSpan = std::min(range.ColSpan, fixedCols - first);
    const int rowsSpan = std::min(range.RowSpan, fixedRows - firstRow);
    if (inFixedCols) FFixedCols->setSpan(firstRow, first, range.RowSpan, colsSpan);
    if (inFixedRows) FFixedRows->setSpan(firstRow, modelFirst, rowsSpan, modelSpan);
    if (inFixedCols && inFixedRows) FFixedCorner->setSpan(firstRow, first, rowsSpan, colsSpan);
  };
  // The cells in view: the header rows and columns, and the body's rows and columns in view.
  const auto eachRow = [&](const auto& atRow) {
    for (int r = 0; r < fixedRows; ++r) atRow(r);
    for (int r = top; r >= 0 && r <= bottom; ++r) atRow(r);
  };
  eachRow([&](int r) {
    for (int c = 0; c < fixedCols; ++c) showAt(c, r);
    for (int c = left; c >= 0 && c <= right; ++c) showAt(FModel.TableCol(c), r);
  });
}

void TCellTableView::ShowColWidths() {
  // A shown header lays out all its sections again after each width; a line of a hundred
  // thousand fields would take minutes. Hidden from updates it only stores them.
  const int fixedCols = std::min(FTable.FixedCols(), FTable.ColCount());
  const bool fixedRows = FTable.FixedRows() > 0;
  QHeaderView* header = horizontalHeader();
  QHeaderView* rowsHeader = FFixedRows->horizontalHeader();
  header->setUpdatesEnabled(false);
  rowsHeader->setUpdatesEnabled(false);
  for (int c = 0; c < FModel.columnCount(); ++c) {
    const int width = FTable.ColWidths(FModel.TableCol(c));
    setColumnWidth(c, width);
    if (fixedRows) FFixedRows->setColumnWidth(c, width);
    if (c < fixedCols) {
      FFixedCols->setColumnWidth(c, width);
      FFixedCorner->setColumnWidth(c, width);
    }
  }
  rowsHeader->setUpdatesEnabled(true);
  header->setUpdatesEnabled(true);
}

int TCellTableView::FixedWidth() const {
  if (FModel.Withheld()) return 0;
  int width = 0;
  for (int c = 0; c < std::min(FTable.FixedCols(), FTable.ColCount()); ++c)
    width += FTable.ColWidths(c);
  return width;
}

int TCellTableView::FixedHeight() const {
  if (FModel.Withheld()) return 0;
  return std::min(FTable.FixedRows(), FTable.RowCount()) * TCellTable::DefaultRowHeight;
}

// Each view shows its own part of the table only: the table its body, the header views their
// header cells.
void TCellTableView::HideHeaderCells() {
  const int fixedCols = std::min(FTable.FixedCols(), FTable.ColCount());
  const int fixedRows = std::min(FTable.FixedRows(), FTable.RowCount());
  for (int c = 0; c < fixedCols; ++c) {
    setColumnHidden(c, true);
    FFixedRows->setColumnHidden(c, true);
  }
  for (int r = 0; r < fixedRows; ++r) {
    setRowHidden(r, true);
    FFixedCols->setRowHidden(r, true);
  }
}

void TCellTableView::updateGeometries() {
  QTableView::updateGeometries();
  PlaceFixedViews();
  ShowSpans();
  ShowColBar();
}

// The header views sit in the table's margins, the header columns left of its body and the
// header rows above it; each is as long as the body in the direction it scrolls, so that its
// scroll range is the body's.
void TCellTableView::PlaceFixedViews() {
  if (!FColBar) return;
  const int width = FixedWidth();
  const int height = FixedHeight();
  const int barHeight = Windowed() ? FColBar->sizeHint().height() : 0;
  if (viewportMargins() != QMargins(width, height, 0, barHeight))
    setViewportMargins(width, height, 0, barHeight);
  const QRect body = viewport()->geometry();
  FColBar->setVisible(barHeight > 0);
  FColBar->setGeometry(body.x() - width, body.bottom() + 1, width + body.width(), barHeight);
  FFixedCols->setVisible(width > 0);
  FFixedRows->setVisible(height > 0);
  FFixedCorner->setVisible(width > 0 && height > 0);
  FFixedCols->setGeometry(body.x() - width, body.y(), width, body.height());
  FFixedRows->setGeometry(body.x(), body.y() - height, body.width(), height);
  FFixedCorner->setGeometry(body.x() - width, body.y() - height, width, height);
  FFixedCols->verticalScrollBar()->setValue(verticalScrollBar()->value());
  FFixedRows->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

bool TCellTableView::eventFilter(QObject* watched, QEvent* e) {
  // The table watches its own viewport from its start, before the header views exist.
  const bool fixed =
      FFixedCorner && (watched == FFixedCols->viewport() || watched == FFixedRows->viewport() ||
                       watched == FFixedCorner->viewport());
  if (fixed && e->type() == QEvent::Wheel) {
    QCoreApplication::sendEvent(viewport(), e);
    return true;
  }
  if (fixed && IsMouseEvent(e)) return true;
  return QTableView::eventFilter(watched, e);
}

void TCellTableView::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (enter && currentIndex().isValid()) {
    e->accept();
    emit RowOpened(currentIndex().row());
    return;
  }
  // The view's own copy takes the focused cell only.
  if (!e->matches(QKeySequence::Copy)) {
    QTableView::keyPressEvent(e);
    return;
  }
  e->accept();
  if (FBlock[0] < 0) return;
  emit CopyRequested(FBlock[0], FBlock[1], FBlock[2], FBlock[3]);
}

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
