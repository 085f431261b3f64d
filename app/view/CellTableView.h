#pragma once

#include "app/view/CellTableModel.h"
#include "table/CellTable.h"

#include <QTableView>

#include <array>

// A cell table on screen: no editing, sorting or resizing, rows 21 pixels high, silver grid
// lines, the table's column widths and merged ranges. The table's own header rows and
// columns stand in for QTableView's headers, which stay hidden; they stay in view while the
// body scrolls, drawn by views of the same model in the table's margins.
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

signals:
  // Ctrl+C: the user asks for the selected block of cells, bounds included.
  void CopyRequested(int left, int top, int right, int bottom);
  // A double-click on a row, or Enter on the focused cell's row.
  void RowOpened(int row);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void updateGeometries() override;
  bool eventFilter(QObject* watched, QEvent* e) override;

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
};
