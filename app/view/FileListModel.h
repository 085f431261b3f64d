#pragma once

#include "app/logic/FileListBox.h"

#include <QAbstractListModel>

// Shows the names of a file list, as the file system holds them, without copying them.
class TFileListModel : public QAbstractListModel {
  Q_OBJECT

public:
  TFileListModel(const TFileListBox& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // An entry dragged out is its file's address, offered for copying.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDragActions() const override;

  // Resets the view when the list was read again since the last call.
  void Refresh();

private:
  const TFileListBox& FList;
  unsigned FShownGeneration = 0;
};
