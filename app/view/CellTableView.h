#pragma once

#include "app/view/CellTableModel.h"
#include "table/CellTable.h"

#include <QTableView>

#include <array>

class QScrollBar;

// A cell table on screen: no editing, sorting or resizing, rows 21 pixels high, silver grid
// lines, the table's column widths and merged ranges. The table's own header rows and
// columns stand in for QTableView's headers, which stay hidden; they stay in view while the
// body scrolls, drawn by views of the same model in the table's margins.
// A table of more body columns than its model's window scrolls left and right by a bar of its
// own over all of them, and the window follows; the selection is kept in table columns.
class TCellTableView : public QTableView {
  Q_OBJECT

public:
  TCellTableView(const TCellTable& table, QWidget* parent = nullptr);

  // Shows the table's current texts, counts, widths and merges. A table that did not change
  // since the last call keeps its selection and scroll position.
  void Refresh();
  // While another thread writes the table, the view shows none of it and reads none of it;
  // released, it shows the table as it is then.
  void SetWithheld(bool withheld);
  // Shows other texts than the table's own cells: see TCellTableModel::SetCellText.
  void SetCellText(const std::function<std::string(int col, int row)>& text) {
    for (TCellTableModel* model : Models()) model->SetCellText(text);
  }
  // Selects the row from its first body column to its last, makes that first column current
  // and brings it into view; false for a row the table does not have.
  bool ShowRow(int row);
  // Ctrl+A: every cell of the table, also those outside the window.
  void selectAll() override;

signals:
  // Ctrl+C: the user asks for the selected block of cells, bounds included, in table columns.
  void CopyRequested(int left, int top, int right, int bottom);
  // A double-click on a row, or Enter on the focused cell's row.
  void RowOpened(int row);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void updateGeometries() override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void mousePressEvent(QMouseEvent* e) override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;

private:
  QTableView* NewFixedView(const char* name, TCellTableModel& model);
  // Shows the widths, header cells and merged ranges of the table the models were reset to.
  void ShowTable();
  std::array<TCellTableModel*, 4> Models() {
    return {&FModel, &FFixedColsModel, &FFixedRowsModel, &FCornerModel};
  }
  void ShowColWidths();
  void ShowSpans();
  void HideHeaderCells();
  // Lays the header views beside the table's body and scrolls them with it.
  void PlaceFixedViews();
  int FixedWidth() const;
  int FixedHeight() const;
  // More body columns than the model's window: the table's own bar scrolls them.
  bool Windowed() const;
  int BodyCols() const;
  // The shift that puts the table column near the middle of the window.
  int CenteredShift(int col) const;
  void ShiftWindow(int shift);
  // Scrolls the body's first column in view to the table's body column `first`.
  void ShowFirstCol(int first);
  // Moves the window when the view scrolled itself to one of its ends.
  void KeepInWindow();
  void ShowColBar();
  // Selects the part of the selected block inside the window.
  void SelectBlock();
  // With Shift the selection grows from the block's corner across from the current cell, in
  // table columns: the view's own first cell may lie in another window by now.
  void ExtendFromBlock(Qt::KeyboardModifiers modifiers);

  const TCellTable& FTable;
  TCellTableModel FModel;
  // The header views' parts of the table: a view of the header columns keeps no place for the
  // body's columns, one of the header rows none for the body's rows.
  TCellTableModel FFixedColsModel;
  TCellTableModel FFixedRowsModel;
  TCellTableModel FCornerModel;
  unsigned FShownGeneration = 0;
  // The cells in view (top, bottom, left, right) and the table generation whose merged ranges
  // the views were last given.
  std::array<int, 4> FSpanWindow{};
  unsigned FSpanGeneration = 0;
  // The header columns, scrolled up and down with the table; the header rows, scrolled left
  // and right with it; and the cells where they meet, which never scroll.
  QTableView* FFixedCols = nullptr;
  QTableView* FFixedRows = nullptr;
  QTableView* FFixedCorner = nullptr;
  // Over all body columns, in columns; the view's own horizontal bar then stays hidden.
  QScrollBar* FColBar = nullptr;
  // The selected block in table columns (left, top, right, bottom), left -1 for none.
  std::array<int, 4> FBlock{-1, -1, -1, -1};
  // The current cell (row, table column) when the window last moved, -1 for none.
  std::array<int, 2> FCurrent{-1, -1};
  // The cell (column, row) a Shift move or click selects from, -1 for none.
  std::array<int, 2> FExtendFrom{-1, -1};
  // While the window moves, the selection the view is given is the block's part in it.
  bool FShifting = false;
};
