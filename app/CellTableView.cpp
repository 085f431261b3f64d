#include "app/CellTableView.h"

#include "app/CellDelegate.h"
#include "app/TextMeasure.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <climits>

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
    : QTableView(parent), FTable(table), FModel(table) {
  setModel(&FModel);
  setItemDelegate(new TCellDelegate(this));
  SetUpCells(this);
  setStyleSheet(QStringLiteral("QTableView { gridline-color: #c0c0c0;"
                               " selection-background-color: rgb(182, 202, 234);"
                               " selection-color: black; }"));
  FFixedCols = NewFixedView("FixedCols");
  FFixedRows = NewFixedView("FixedRows");
  FFixedCorner = NewFixedView("FixedCorner");
  connect(verticalScrollBar(), &QScrollBar::valueChanged, FFixedCols->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, FFixedRows->horizontalScrollBar(),
          &QScrollBar::setValue);
  // A header view that lays itself out after the table takes the table's place again.
  connect(FFixedCols->verticalScrollBar(), &QScrollBar::rangeChanged, this,
          [this] { FFixedCols->verticalScrollBar()->setValue(verticalScrollBar()->value()); });
  connect(FFixedRows->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
          [this] { FFixedRows->horizontalScrollBar()->setValue(horizontalScrollBar()->value()); });
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { emit RowOpened(index.row()); });
  FShownGeneration = FTable.Generation() - 1;
  Refresh();
}

// A header view shows the table's cells and selection but takes no focus and no clicks, and
// scrolls only with the table: the wheel over it scrolls the table.
QTableView* TCellTableView::NewFixedView(const char* name) {
  auto* view = new QTableView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->setModel(&FModel);
  view->setSelectionModel(selectionModel());
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
  FShownGeneration = FTable.Generation();
  FModel.Reset();
  ShowSpans();
  ShowColWidths();
  HideHeaderCells();
  PlaceFixedViews();
}

void TCellTableView::SetWithheld(bool withheld) {
  if (withheld == FModel.Withheld()) return;
  FModel.SetWithheld(withheld);
  if (withheld) {
    for (QTableView* view : {static_cast<QTableView*>(this), FFixedCols, FFixedRows, FFixedCorner})
      view->clearSpans();
    PlaceFixedViews();
    return;
  }
  FShownGeneration = FTable.Generation() - 1;
  Refresh();
}

void TCellTableView::ShowSpans() {
  for (QTableView* view : {static_cast<QTableView*>(this), FFixedCols, FFixedRows, FFixedCorner})
    view->clearSpans();
  for (const TMergedRange& range : FTable.MergedRanges()) {
    setSpan(range.Row, range.Col, range.RowSpan, range.ColSpan);
    const bool inFixedCols = range.Col < FTable.FixedCols();
    const bool inFixedRows = range.Row < FTable.FixedRows();
    if (inFixedCols) FFixedCols->setSpan(range.Row, range.Col, range.RowSpan, range.ColSpan);
    if (inFixedRows) FFixedRows->setSpan(range.Row, range.Col, range.RowSpan, range.ColSpan);
    if (inFixedCols && inFixedRows)
      FFixedCorner->setSpan(range.Row, range.Col, range.RowSpan, range.ColSpan);
  }
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
  for (int c = 0; c < FTable.ColCount(); ++c) {
    const int width = FTable.ColWidths(c);
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
}

// The header views sit in the table's margins, the header columns left of its body and the
// header rows above it; each is as long as the body in the direction it scrolls, so that its
// scroll range is the body's.
void TCellTableView::PlaceFixedViews() {
  if (!FFixedCorner) return;
  const int width = FixedWidth();
  const int height = FixedHeight();
  if (viewportMargins() != QMargins(width, height, 0, 0)) setViewportMargins(width, height, 0, 0);
  const QRect body = viewport()->geometry();
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
  const QItemSelection selection = selectionModel()->selection();
  if (selection.isEmpty()) return;
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (const QItemSelectionRange& range : selection) {
    left = std::min(left, range.left());
    top = std::min(top, range.top());
    right = std::max(right, range.right());
    bottom = std::max(bottom, range.bottom());
  }
  emit CopyRequested(left, top, right, bottom);
}
