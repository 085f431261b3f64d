#pragma once

class QListView;
class QPoint;

// What the user chose in a file list's context menu.
enum class TFileListAction { None, Open, OpenFolder, Delete };

// The context menu of a file list at the point (in the list's viewport): "Openen", "Map
// openen" and "Verwijderen". The entry under the point becomes the selected one first. While
// the window is not idle no action is enabled; without a selected file only "Map openen" is.
TFileListAction ExecFileListMenu(QListView* view, const QPoint& pos, bool idle);
