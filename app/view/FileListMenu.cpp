#include "app/view/FileListMenu.h"

#include "app/view/CatalogueText.h"
#include "core/text/Teksten.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>

TFileListAction ExecFileListMenu(QListView* view, const QPoint& pos, bool idle) {
  const QModelIndex entry = view->indexAt(pos);
  if (entry.isValid())
    view->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
  const bool selected = view->selectionModel()->hasSelection();
  QMenu menu(view);
  QAction* open = menu.addAction(CatalogueText(Tekst::MenuOpenen));
  open->setEnabled(idle && selected);
  QAction* folder = menu.addAction(CatalogueText(Tekst::MenuMapOpenen));
  folder->setEnabled(idle);
  QAction* remove = menu.addAction(CatalogueText(Tekst::MenuVerwijderen));
  remove->setEnabled(idle && selected);
  QAction* chosen = menu.exec(view->viewport()->mapToGlobal(pos));
  if (chosen == open) return TFileListAction::Open;
  if (chosen == folder) return TFileListAction::OpenFolder;
  if (chosen == remove) return TFileListAction::Delete;
  return TFileListAction::None;
}
