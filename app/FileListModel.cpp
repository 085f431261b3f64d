#include "app/FileListModel.h"

#include "core/Cp1252.h"

TFileListModel::TFileListModel(const TFileListBox& list, QObject* parent)
    : QAbstractListModel(parent), FList(list), FShownGeneration(list.Generation()) {}

int TFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FList.Count();
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole || index.row() >= FList.Count()) return {};
  return QString::fromUtf8(Cp1252ToUtf8(FList.Item(index.row())));
}

void TFileListModel::Refresh() {
  if (FShownGeneration == FList.Generation()) return;
  beginResetModel();
  FShownGeneration = FList.Generation();
  endResetModel();
}
