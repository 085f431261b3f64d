#include "app/view/FileListModel.h"

#include "app/view/ShownName.h"

#include <QMimeData>
#include <QUrl>

TFileListModel::TFileListModel(const TFileListBox& list, QObject* parent)
    : QAbstractListModel(parent), FList(list), FShownGeneration(list.Generation()) {}

int TFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FList.Count();
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole || index.row() >= FList.Count()) return {};
  return ShownName(FList.FullPath(index.row()));
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex& index) const {
  return QAbstractListModel::flags(index) |
         (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList TFileListModel::mimeTypes() const {
  return {QStringLiteral("text/uri-list")};
}

QMimeData* TFileListModel::mimeData(const QModelIndexList& indexes) const {
  QList<QUrl> urls;
  for (const QModelIndex& index : indexes)
    if (index.isValid() && index.row() < FList.Count())
      urls.append(QUrl::fromLocalFile(ShownPath(FList.FullPath(index.row()))));
  if (urls.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}

Qt::DropActions TFileListModel::supportedDragActions() const {
  return Qt::CopyAction;
}

void TFileListModel::Refresh() {
  if (FShownGeneration == FList.Generation()) return;
  beginResetModel();
  FShownGeneration = FList.Generation();
  endResetModel();
}
