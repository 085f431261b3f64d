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
    if (inFixedRows && (modelSpan > 1 || rowsSpan > 1))
      FFixedRows->setSpan(firstRow, modelFirst, rowsSpan, modelSpan);
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
