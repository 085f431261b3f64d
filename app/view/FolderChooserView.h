#pragma once

#include "app/logic/FolderChooser.h"

#include <QTreeWidget>

// A folder chooser on screen: the path chain as an indented line of open folders down to the
// current one, its sub-folders below it. A double-click, or Enter, reports the entry's index.
class TFolderChooserView : public QTreeWidget {
  Q_OBJECT

public:
  TFolderChooserView(const TFolderChooser& chooser, QWidget* parent = nullptr);

  // Shows the entries again when the chooser read them since the last call.
  void Refresh();

signals:
  void EntryOpened(int index);

protected:
  void keyPressEvent(QKeyEvent* e) override;

private:
  const TFolderChooser& FChooser;
  unsigned FShownGeneration = 0;
};
