#include "app/CellTableView.h"

#include "app/TextMeasure.h"

#include <QHeaderView>

TCellTableView::TCellTableView(const TCellTable& table, QWidget* parent)
    : QTableView(parent), FTable(table), FModel(table) {
  setModel(&FModel);
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
  Refresh();
}

void TCellTableView::Refresh() {
  FModel.Reset();
  clearSpans();
  for (const TMergedRange& range : FTable.MergedRanges())
    setSpan(range.Row, range.Col, range.RowSpan, range.ColSpan);
  for (int c = 0; c < FTable.ColCount(); ++c) setColumnWidth(c, FTable.ColWidths(c));
}
