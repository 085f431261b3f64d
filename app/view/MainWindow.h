#pragma once

#include "app/logic/Desktop.h"
#include "app/logic/MainForm.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QGroupBox;
class QListView;
class QPushButton;
class QTabWidget;
class TCellTableView;
class TFileListModel;
class TFolderChooserView;
class TStatusPanel;
class TTextMeasure;

// The program's one window: a thin view that forwards every event to TMainForm and shows its
// state after each command.
class TMainWindow : public QMainWindow {
  Q_OBJECT

public:
  // The desktop answers the window's questions; when null, Qt's own dialogs do.
  TMainWindow(const std::filesystem::path& exePath, char decimalSeparator,
              TDesktop* desktop = nullptr, QWidget* parent = nullptr);
  ~TMainWindow() override;

  TMainForm& Form() { return *FForm; }
  // Shows the logic's state in every widget.
  void ShowState();
  // Shows the state and paints it at once, without taking user input.
  void Repaint();

protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

private:
  void BuildLayout();
  QWidget* BuildFilesPage();
  void DescribeControls();
  void ConnectFileList(QListView* view, TFileListBox& list);
  void ConnectGrid(TCellTableView* view, const TCellTable& grid);
  void ShowFileListMenu(QListView* view, TFileListBox& list, const QPoint& pos);
  // Ctrl+Tab and Ctrl+PageDown go one tab on, Ctrl+Shift+Tab and Ctrl+PageUp one back, from
  // whatever control has the focus.
  void StepTab(int by);
  void ShowTables(bool working);
  void ShowStatus(bool working);
  void Run(const std::function<void()>& handler);
  void ShowSelection(QListView* view, const TFileListBox& list);
  void ShowInputGridRow();
  void RestoreBounds();
  bool IsOwnList(const QObject* source) const;
  bool AcceptAsCopy(QDropEvent* e);
  TDropSide DropSide(const QPoint& pos) const;

  std::unique_ptr<TDesktop> FQtDesktop;
  std::unique_ptr<TMainForm> FForm;
  std::unique_ptr<TTextMeasure> FMeasure;
  bool FBusy = false;
  // The user closed the window while a command worked beside it.
  bool FCloseWhenDone = false;
  unsigned FShownInputGridRowRequests = 0;

  QTabWidget* FPageControl = nullptr;
  TFolderChooserView* FInDirectoryListBox = nullptr;
  TFolderChooserView* FOutDirectoryListBox = nullptr;
  QListView* FInFileListBox = nullptr;
  QListView* FOutFileListBox = nullptr;
  QWidget* FInFileListViewport = nullptr;
  QWidget* FOutFileListViewport = nullptr;
  QGroupBox* FInGroup = nullptr;
  QGroupBox* FOutGroup = nullptr;
  TFileListModel* FInFileModel = nullptr;
  TFileListModel* FOutFileModel = nullptr;
  QPushButton* FDoAllBitBtn = nullptr;
  QPushButton* FInBoxClearBitBtn = nullptr;
  QPushButton* FInUpdateBitBtn = nullptr;
  QPushButton* FOutBoxClearBitBtn = nullptr;
  QPushButton* FOutUpdateBitBtn = nullptr;
  QPushButton* FSaveDataBitBtn = nullptr;
  QPushButton* FClipBoardBitBtn = nullptr;
  QPushButton* FStopBitBtn = nullptr;
  TCellTableView* FInputGrid = nullptr;
  TCellTableView* FToernooiGrid = nullptr;
  TCellTableView* FErrorGrid = nullptr;
  TStatusPanel* FStatusPanels[2] = {nullptr, nullptr};
  // The panels' texts as last shown, in code page 1252.
  std::array<std::string, 2> FShownStatus;
};
