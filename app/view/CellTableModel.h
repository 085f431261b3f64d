#pragma once

#include "table/CellTable.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>
#include <string>
#include <utility>

// The part of a cell table a model shows: the whole table, its header columns (all rows), its
// header rows (all columns), or the corner where they meet. A view of a part keeps a place for
// each of the part's rows and columns only.
enum class TCellPart { Whole, FixedCols, FixedRows, Corner };

// Shows a cell table without copying it: every cell is read from the table when drawn.
// Header rows and columns use the bold font and the header background.
// Of the body's columns it shows a window of at most WindowCols, from the table's column
// FixedCols() + ColShift() on: a view keeps a header section for each column it is given, and
// a line of millions of fields would cost hundreds of megabytes of them. Model column c stands
// for table column c below FixedCols(), for c + ColShift() from there on.
class TCellTableModel : public QAbstractTableModel {
  Q_OBJECT

public:
  static constexpr int WindowCols = 2048;

  TCellTableModel(const TCellTable& table, TCellPart part = TCellPart::Whole,
                  QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // The table's own last header row and column name its columns and rows, so that a screen
  // reader names a cell's column by its caption and not by its number.
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The table may have changed in every respect.
  void Reset();
  // Moves the window of body columns; the count of columns stays, their cells change.
  void SetColShift(int shift);
  int ColShift() const { return FColShift; }
  int TableCol(int col) const;
  // The model column of a table column, or -1 outside the window.
  int ModelCol(int tableCol) const;
  // The model columns (first, last) of the table columns left to right that lie in the
  // window; last < first when none does.
  std::pair<int, int> ModelCols(int left, int right) const;
  // A withheld table shows no cell and is not read, while another thread writes it.
  void SetWithheld(bool withheld);
  bool Withheld() const { return FWithheld; }
  // Where the shown texts come from, in UTF-8, when not from the table's own cells.
  void SetCellText(std::function<std::string(int col, int row)> text) {
    FCellText = std::move(text);
  }

private:
  const TCellTable& FTable;
  TCellPart FPart;
  QFont FBodyFont;
  QFont FHeaderFont;
  bool FWithheld = false;
  int FColShift = 0;
  std::function<std::string(int col, int row)> FCellText;
};
