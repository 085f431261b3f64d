#pragma once

#include "app/Desktop.h"
#include "app/FileListBox.h"
#include "app/FolderChooser.h"
#include "app/WorkFolders.h"
#include "core/CoreUI.h"
#include "core/Toernooi.h"
#include "table/CellTable.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The main window's state and commands, free of any window toolkit. The view forwards events
// to the handlers and shows the state; everything modal or physical goes through the desktop.
// Every public handler catches what escapes it and shows it in the error box.
class TMainForm : public TCoreUI {
public:
  static constexpr int SelecteerBestandPage = 0;
  static constexpr int FoutenPage = 3;

  TMainForm(std::filesystem::path exePath, TDesktop& desktop, char decimalSeparator);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  void FormCreate();
  // Runs only at the window's first activation; ends by opening the start file, if any.
  void FormActivate();
  // Stores the two folders; the window always closes, even when that fails.
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
  // Double-clicks on an entry of a folder chooser.
  void InDirectoryListBoxDblClick(int index);
  void OutDirectoryListBoxDblClick(int index);

  // A file named on the command line: the first activation opens it as a double-click in the
  // input list would, after the input chooser went to its folder.
  void SetStartFile(std::filesystem::path file) { FStartFile = std::move(file); }

  void ClearToernooiGrid();
  void CollectInputFiles();
  std::filesystem::path IniFileName() const;
  void FillToernooiGrid();
  // The tables' edit veto: no cell of any table can be edited.
  static bool InputGridCanEditCell(int row, int col);
  static bool ToernooiGridCanEditCell(int row, int col);

  // Runs one command; a std::exception that escapes it is shown in the error box.
  void RunCommand(const std::function<void()>& command);

  // TCoreUI: the tournament reports its error count and its messages here.
  void SetStatusText(int panel, const std::string& text) override;
  void ShowMessage(const std::string& text) override;

  const std::string& StatusText(int panel) const;
  const std::string& Caption() const { return FCaption; }
  const std::filesystem::path& ProgramDir() const { return FProgramDir; }
  const std::vector<std::filesystem::path>& InputFiles() const { return FInputFiles; }
  // The tournament; none before FormCreate and after FormDestroy.
  TToernooi* Toernooi() const { return FToernooi.get(); }

  int ActivePage() const { return FActivePage; }
  // The user picked another tab.
  void SetActivePage(int page) { FActivePage = page; }

  bool SaveDataBitBtnEnabled() const { return FSaveDataEnabled; }
  bool DoAllBitBtnEnabled() const { return FDoAllEnabled; }
  bool InBoxClearBitBtnEnabled() const { return FInBoxClearEnabled; }
  bool OutBoxClearBitBtnEnabled() const { return FOutBoxClearEnabled; }

  TCellTable InputGrid;
  TCellTable ToernooiGrid;
  TCellTable ErrorGrid;
  TFileListBox InFileListBox{"*.csv"};
  TFileListBox OutFileListBox{"*.txt"};
  TFolderChooser InDirectoryListBox;
  TFolderChooser OutDirectoryListBox;

private:
  void InUpdate();
  void OutUpdate();
  void OpenWorkFolder(TFolderChooser& chooser, const char* name,
                      const std::filesystem::path& examples);
  void OpenStartFile();
  void ApplyRememberedFolder(TFolderChooser& chooser, const std::string& key);
  std::filesystem::path ReportPath() const;
  // Writes the report unless another program holds the target; false when it did not.
  bool SaveReport(const std::filesystem::path& target);

  TDesktop& FDesktop;
  std::filesystem::path FExePath;
  std::filesystem::path FProgramDir;
  TWorkFolders FWork;
  std::filesystem::path FStartFile;
  char FDecimalSeparator;
  std::string FCaption;
  std::unique_ptr<TToernooi> FToernooi;
  std::vector<std::filesystem::path> FInputFiles;
  std::array<std::string, 2> FStatusText;
  int FActivePage = SelecteerBestandPage;
  bool FActivated = false;
  bool FSaveDataEnabled = false;
  bool FDoAllEnabled = false;
  bool FInBoxClearEnabled = true;
  bool FOutBoxClearEnabled = true;
};
