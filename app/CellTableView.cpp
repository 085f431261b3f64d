#include "app/CellTableView.h"

#include "app/CellDelegate.h"
#include "app/TextMeasure.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>
#include <climits>

TCellTableView::TCellTableView(const TCellTable& table, QWidget* parent)
    : QTableView(parent), FTable(table), FModel(table) {
  setModel(&FModel);
  setItemDelegate(new TCellDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setMinimumSectionSize(0);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(0);
  verticalHeader()->setDefaultSectionSize(TCellTable::DefaultRowHeight);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(true);
  setTextElideMode(Qt::ElideNone);
  setAlternatingRowColors(false);
  setFont(TableFont(TCellFont::Body));
  setStyleSheet(QStringLiteral("QTableView { gridline-color: #c0c0c0;"
                               " selection-background-color: rgb(182, 202, 234);"
                               " selection-color: black; }"));
  FShownGeneration = FTable.Generation() - 1;
  Refresh();
}

void TCellTableView::Refresh() {
  if (FShownGeneration == FTable.Generation()) return;
  FShownGeneration = FTable.Generation();
  FModel.Reset();
  clearSpans();
  for (const TMergedRange& range : FTable.MergedRanges())
    setSpan(range.Row, range.Col, range.RowSpan, range.ColSpan);
  ShowColWidths();
}

void TCellTableView::ShowColWidths() {
  // A shown header lays out all its sections again after each width; a line of a hundred
  // thousand fields would take minutes. Hidden from updates it only stores them.
  QHeaderView* header = horizontalHeader();
  header->setUpdatesEnabled(false);
  for (int c = 0; c < FTable.ColCount(); ++c) setColumnWidth(c, FTable.ColWidths(c));
  header->setUpdatesEnabled(true);
}

void TCellTableView::keyPressEvent(QKeyEvent* e) {
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
