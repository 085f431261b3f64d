#pragma once

#include "table/CellTable.h"

#include <QAbstractTableModel>
#include <QFont>

// Shows a cell table without copying it: every cell is read from the table when drawn.
// Header rows and columns use the bold font and the header background.
class TCellTableModel : public QAbstractTableModel {
  Q_OBJECT

public:
  TCellTableModel(const TCellTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The table may have changed in every respect.
  void Reset();

private:
  const TCellTable& FTable;
  QFont FBodyFont;
  QFont FHeaderFont;
};
