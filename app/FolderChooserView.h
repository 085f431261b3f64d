#pragma once

#include "app/FolderChooser.h"

#include <QTreeWidget>

// A folder chooser on screen: the path chain as an indented line of open folders down to the
// current one, its sub-folders below it. A double-click reports the entry's index.
class TFolderChooserView : public QTreeWidget {
  Q_OBJECT

public:
  TFolderChooserView(const TFolderChooser& chooser, QWidget* parent = nullptr);

  // Shows the entries again when the chooser read them since the last call.
  void Refresh();

signals:
  void EntryDoubleClicked(int index);

private:
  const TFolderChooser& FChooser;
  unsigned FShownGeneration = 0;
};
