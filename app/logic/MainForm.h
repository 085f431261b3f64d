#pragma once

#include "app/logic/ConvertCommands.h"
#include "app/logic/Desktop.h"
#include "app/logic/FileCommands.h"
#include "app/logic/FileListBox.h"
#include "app/logic/FolderChooser.h"
#include "app/logic/FolderWatch.h"
#include "app/logic/RememberedSettings.h"
#include "app/logic/WorkFolders.h"
#include "core/run/Conversion.h"
#include "core/text/InvoerBestand.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The main window's state and commands, free of any window toolkit. The view forwards events
// to the handlers and shows the state; everything modal or physical goes through the desktop.
// Every public handler catches what escapes it and shows it in the error box. A load and a run
// of "Alle" work beside the window: while one works, the window shows its progress, its tables
// show nothing, and every command but Stop is refused.
class TMainForm : public TCoreUI {
public:
  static constexpr int SelecteerBestandPage = 0;
  static constexpr int InleesGridPage = 1;
  static constexpr int FoutenPage = 3;
  // The most characters a status panel keeps of its text.
  static constexpr std::size_t MaxStatusChars = 4096;

  TMainForm(std::filesystem::path exePath, TDesktop& desktop, char decimalSeparator);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  void FormCreate();
  // Runs only at the window's first activation; ends by opening the start file, if any.
  void FormActivate();
  // Stores the two folders and the window's bounds; the window always closes, even when that
  // fails.
  bool FormCloseQuery();
  void FormDestroy();

  void InUpdateBitBtnClick();
  void OutUpdateBitBtnClick();
  void InBoxClearBitBtnClick();
  void OutBoxClearBitBtnClick();
  void InFileListBoxDblClick();
  void SaveDataBitBtnClick();
  void DoAllBitBtnClick();
  void ClipBoardBitBtnClick();
  // Double-clicks on an entry of a folder chooser, or Enter on it.
  void InDirectoryListBoxDblClick(int index);
  void OutDirectoryListBoxDblClick(int index);
  // Enter or "Openen" on the input list: opens the selected file as a double-click does;
  // nothing when no file is selected.
  void InFileListBoxOpen();
  // Double-click, Enter or "Openen" on the output list: the selected report opens in the
  // desktop's default program; nothing when no report is selected.
  void OutFileListBoxDblClick();
  // "Map openen": the list's folder opens in the file manager.
  void InFileListBoxOpenFolder();
  void OutFileListBoxOpenFolder();
  // Delete or "Verwijderen" on a list: the selected file goes to the trash after the question
  // "<name> verwijderen ?", and the list follows; nothing when no file is selected.
  void InFileListBoxDelete();
  void OutFileListBoxDelete();
  // Double-click or Enter on a row of the error list: a finding's line is selected on "Inlees
  // grid"; a file's summary row opens that file as a double-click in the input list would.
  void ErrorGridDblClick(int row);
  // Esc or "Stop" while a command works beside the window: a load ends at once, with empty
  // tables; "Alle" ends after the file it is on.
  void StopBitBtnClick() { FConvert.Stop(); }
  // Whether a command works beside the window; its tables must not be read meanwhile.
  bool Working() const { return FConvert.Working(); }
  // F1: the version, the licence, the two folders in use and where the settings are kept.
  void HelpAboutClick();
  // F5: refreshes the output list, then the input list, each with its beep.
  void RefreshFileLists();
  // Ctrl+C in a table: the block of cells, bounds included, goes to the clipboard.
  void CopyCells(const TCellTable& grid, int left, int top, int right, int bottom);
  // Files and folders dropped on the window: .csv files are copied into the input folder and
  // the first one is opened; a folder dropped on a folder's side becomes that folder.
  void FormDragDrop(const std::vector<std::filesystem::path>& paths, TDropSide side);

  // A file named on the command line: the first activation opens it as a double-click in the
  // input list would, after the input chooser went to its folder.
  void SetStartFile(std::filesystem::path file) { FStartFile = std::move(file); }

  // The bounds the window had when it last closed; none when they were not kept.
  std::optional<TWindowBounds> RememberedBounds() const;
  // The window's bounds now, for FormCloseQuery to keep.
  void SetWindowBounds(const TWindowBounds& bounds) { FBounds = bounds; }
  // The input-table row a finding asked to show, and how many times one was asked for, so a
  // view can tell a new request.
  int InputGridRow() const { return FInputGridRow; }
  unsigned InputGridRowRequests() const { return FInputGridRowRequests; }

  // Rebuilds InputFiles from the input list as shown, with the enablement of "Alle".
  void CollectInputFiles();
  std::filesystem::path IniFileName() const;
  // The tables' edit veto: no cell of any table can be edited.
  static bool InputGridCanEditCell(int, int) { return false; }
  static bool ToernooiGridCanEditCell(int, int) { return false; }

  // Runs one command; a std::exception that escapes it is shown in the error box. Refused while
  // a command works beside the window.
  void RunCommand(const std::function<void()>& command);

  // Sets a status panel's text. A panel keeps at most MaxStatusChars of a text, then an
  // ellipsis.
  void SetStatusText(int panel, const std::string& text);
  // TCoreUI: a load asks from its thread whether the user stopped it.
  bool StopRequested() override { return FConvert.StopRequested(); }
  // A cell of the error list as the window shows it, in UTF-8: a file's summary row names it
  // as it is.
  std::string ErrorCellText(int col, int row) const;

  // A panel's text; while a command works beside the window, panel 1 shows how far it is.
  std::string StatusText(int panel) const;
  const std::string& Caption() const { return FCaption; }
  const std::filesystem::path& ProgramDir() const { return FProgramDir; }
  // The files "Alle" and the input "Clear" act on: always those of the input list as shown.
  const std::vector<std::filesystem::path>& InputFiles() const { return FInputFiles; }
  // The tournament; none before FormCreate and after FormDestroy.
  TToernooi* Toernooi() { return FAlive ? &Conversion.Toernooi : nullptr; }
  const TToernooi* Toernooi() const { return FAlive ? &Conversion.Toernooi : nullptr; }

  int ActivePage() const { return FActivePage; }
  // The user picked another tab.
  void SetActivePage(int page) { FActivePage = page; }

  bool SaveDataBitBtnEnabled() const { return FSaveDataEnabled; }
  bool DoAllBitBtnEnabled() const { return FDoAllEnabled; }
  bool InBoxClearBitBtnEnabled() const { return FInBoxClearEnabled; }
  bool OutBoxClearBitBtnEnabled() const { return FOutBoxClearEnabled; }
  bool StopBitBtnEnabled() const { return Working(); }

  // The window's tables and tournament, and the rules of converting into them.
  TConversion Conversion;
  TCellTable& InputGrid;
  TCellTable& ToernooiGrid;
  TCellTable& ErrorGrid;
  TFileListBox InFileListBox{InvoerMasker()};
  TFileListBox OutFileListBox{"*.txt"};
  TFolderChooser InDirectoryListBox;
  TFolderChooser OutDirectoryListBox;

private:
  void InUpdate();
  void OutUpdate();
  void OpenStartFile();
  // The refreshes of a watched folder: no beep, the selection kept.
  void InReread();
  void OutReread();
  void InputFilesChanged();
  // The output list was read again: "Clear" follows it at once, as the input side does.
  void OutputFilesChanged();
  // After every command: either list may have been read again by a chooser, a refresh, the
  // folder watch, a drop or a file opened from outside; "Alle" and the two "Clear" buttons act
  // on the lists as shown.
  void FollowFileLists();
  void OpenInputFile(const std::filesystem::path& path);
  // Selects the file in the input list; false, the selection kept, when the list lacks it.
  bool SelectInputFile(const std::filesystem::path& file);
  TRememberedSettings Settings() const;

  TDesktop& FDesktop;
  std::filesystem::path FExePath;
  std::filesystem::path FProgramDir;
  TWorkFolders FWork;
  std::filesystem::path FStartFile;
  char FDecimalSeparator;
  std::string FCaption;
  bool FAlive = false;
  std::vector<std::filesystem::path> FInputFiles;
  unsigned FInputGeneration = 0;
  unsigned FOutputGeneration = 0;
  std::array<std::string, 2> FStatusText;
  int FActivePage = SelecteerBestandPage;
  bool FActivated = false;
  std::optional<TWindowBounds> FBounds;
  int FInputGridRow = 0;
  unsigned FInputGridRowRequests = 0;
  int FCommandDepth = 0;
  bool FSaveDataEnabled = false;
  bool FDoAllEnabled = false;
  bool FInBoxClearEnabled = true;
  bool FOutBoxClearEnabled = true;
  TConvertCommands FConvert;
  TFileCommands FFiles;
  TFolderWatch FWatch;
};
