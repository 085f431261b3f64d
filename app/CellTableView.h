#pragma once

#include "app/CellTableModel.h"
#include "table/CellTable.h"

#include <QTableView>

// A cell table on screen: no editing, sorting or resizing, rows 21 pixels high, silver grid
// lines, the table's column widths and merged ranges. The table's own header rows and
// columns stand in for QTableView's headers, which stay hidden.
class TCellTableView : public QTableView {
  Q_OBJECT

public:
  TCellTableView(const TCellTable& table, QWidget* parent = nullptr);

  // Shows the table's current texts, counts, widths and merges. A table that did not change
  // since the last call keeps its selection and scroll position.
  void Refresh();

signals:
  // Ctrl+C: the user asks for the selected block of cells, bounds included.
  void CopyRequested(int left, int top, int right, int bottom);

protected:
  void keyPressEvent(QKeyEvent* e) override;

private:
  void ShowColWidths();

  const TCellTable& FTable;
  TCellTableModel FModel;
  unsigned FShownGeneration = 0;
};
