#include "app/view/FolderChooserView.h"

#include "app/view/ShownName.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

TFolderChooserView::TFolderChooserView(const TFolderChooser& chooser, QWidget* parent)
    : QTreeWidget(parent), FChooser(chooser) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setIndentation(10);
  setUniformRowHeights(true);
  // The chain is always open, so no branch needs an expand mark. The current folder is always
  // selected, so the frame shows where the keyboard is.
  setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"
                               " QTreeView { border: 2px solid palette(mid); }"
                               " QTreeView:focus { border: 2px solid palette(highlight); }"));
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { emit EntryOpened(item->data(0, Qt::UserRole).toInt()); });
  FShownGeneration = FChooser.Generation() - 1;
  Refresh();
}

void TFolderChooserView::Refresh() {
  if (FShownGeneration == FChooser.Generation()) return;
  FShownGeneration = FChooser.Generation();
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  QTreeWidgetItem* parent = nullptr;
  QTreeWidgetItem* current = nullptr;
  const auto& entries = FChooser.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TFolderEntry& entry = entries[i];
    // The root shows its full path, as in the chooser's entries.
    const QStringList text{entry.Level == 0 ? ShownPath(entry.Path) : ShownName(entry.Path)};
    // Each folder of the chain holds the next one; the sub-folders hang below the current.
    auto* item = parent ? new QTreeWidgetItem(parent, text) : new QTreeWidgetItem(this, text);
    item->setIcon(0, entry.Open ? open : closed);
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    if (static_cast<int>(i) == FChooser.DirectoryIndex()) current = item;
    if (entry.Open) parent = item;
  }
  expandAll();
  if (current) {
    setCurrentItem(current);
    scrollToItem(current);
  }
}

void TFolderChooserView::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (!enter || !currentItem()) {
    QTreeWidget::keyPressEvent(e);
    return;
  }
  e->accept();
  emit EntryOpened(currentItem()->data(0, Qt::UserRole).toInt());
}
