#include "app/MainForm.h"

#include "app/IniFile.h"
#include "core/Cp1252.h"
#include "core/ErrorList.h"
#include "core/FileIdentities.h"
#include "core/FileInUse.h"
#include "core/ReportFile.h"
#include "core/ToernooiGrid.h"
#include "core/Version.h"

#include <exception>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const IniSection = "LastSession";
const char* const InMapKey = "DataInMap";
const char* const OutMapKey = "DataOutMap";
constexpr int InitialColWidth = 50;

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

// Removes a file; a file that cannot be removed stays without a message, and a folder is
// never removed.
void DeleteFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(path, ec))) fs::remove(path, ec);
}

void SetInitialColWidths(TCellTable& grid) {
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetColWidths(c, InitialColWidth);
}

std::string InUseMessage(const fs::path& target) {
  return PathText(target) + "\rWordt reeds gebruikt.\rGeen bestand gemaakt.";
}

} // namespace

TMainForm::TMainForm(fs::path exePath, TDesktop& desktop, char decimalSeparator)
    : InputGrid(5, 5, 1, 0), ToernooiGrid(5, 5, 1, 1), ErrorGrid(5, 5, 1, 1), FDesktop(desktop),
      FExePath(std::move(exePath)), FDecimalSeparator(decimalSeparator) {
  for (TCellTable* grid : {&InputGrid, &ToernooiGrid, &ErrorGrid}) SetInitialColWidths(*grid);
  InputGrid.OnCanEditCell = InputGridCanEditCell;
  ToernooiGrid.OnCanEditCell = ToernooiGridCanEditCell;
  ErrorGrid.OnCanEditCell = ToernooiGridCanEditCell;
  ToernooiGrid.OnGetAlignment = ToernooiGridGetAlignment;
  ErrorGrid.OnGetAlignment = ErrorGridGetAlignment;
  InDirectoryListBox.SetFileList(&InFileListBox);
  OutDirectoryListBox.SetFileList(&OutFileListBox);
}

bool TMainForm::InputGridCanEditCell(int, int) {
  return false;
}

bool TMainForm::ToernooiGridCanEditCell(int, int) {
  return false;
}

void TMainForm::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    FDesktop.ShowError(e.what());
  }
}

void TMainForm::SetStatusText(int panel, const std::string& text) {
  if (panel >= 0 && panel < static_cast<int>(FStatusText.size()))
    FStatusText[static_cast<std::size_t>(panel)] = text;
}

void TMainForm::ShowMessage(const std::string& text) {
  FDesktop.ShowMessage(text);
}

const std::string& TMainForm::StatusText(int panel) const {
  static const std::string none;
  if (panel < 0 || panel >= static_cast<int>(FStatusText.size())) return none;
  return FStatusText[static_cast<std::size_t>(panel)];
}

fs::path TMainForm::IniFileName() const {
  return FWork.IniFile;
}

void TMainForm::FormCreate() {
  RunCommand([this] {
    // The tournament exists before any folder is touched, so a failing folder cannot leave
    // the window without one.
    FToernooi = std::make_unique<TToernooi>(ErrorGrid, *this);
    FToernooi->DecimalSeparator = FDecimalSeparator;
    FProgramDir = NormalFolderPath(fs::absolute(FExePath).parent_path());
    FWork = ChooseWorkFolders(FExePath, FDesktop);
    FInputFiles.clear();
    FCaption = "Jeugd csv naar Fide2006 Versie: " + VersionText(FDecimalSeparator);
    FDesktop.Repaint();
    // An installed program's work folders are under the documents, which may not exist yet.
    std::error_code ec;
    fs::create_directories(FWork.WorkDir, ec);
    OpenWorkFolder(InDirectoryListBox, "InBox", FWork.Examples);
    OpenWorkFolder(OutDirectoryListBox, "OutBox", {});
  });
}

// A work folder that cannot be created or entered is reported, and the chooser shows the
// folder that holds the work folders instead. A new folder receives the examples, if any.
void TMainForm::OpenWorkFolder(TFolderChooser& chooser, const char* name,
                               const fs::path& examples) {
  const fs::path path = FWork.WorkDir / name;
  std::error_code ec;
  if (!fs::is_directory(path, ec) && fs::create_directory(path, ec) && !examples.empty()) {
    try {
      CopyExamples(examples, path);
    } catch (const std::exception& e) {
      FDesktop.ShowError(e.what());
    }
  }
  try {
    chooser.SetDirectory(path);
  } catch (const std::exception& e) {
    FDesktop.ShowError(e.what());
    chooser.SetDirectory(FWork.WorkDir);
  }
}

void TMainForm::FormActivate() {
  if (FActivated) return;
  FActivated = true;
  RunCommand([this] {
    std::error_code ec;
    if (fs::is_regular_file(IniFileName(), ec)) {
      ApplyRememberedFolder(InDirectoryListBox, InMapKey);
      ApplyRememberedFolder(OutDirectoryListBox, OutMapKey);
    }
    ClearToernooiGrid();
    ClearErrorGrid(ErrorGrid);
    FActivePage = SelecteerBestandPage;
    OutUpdate();
    InUpdate();
  });
  if (!FStartFile.empty()) OpenStartFile();
}

// A file outside the list (missing, or not matching "*.csv") leaves nothing selected, so the
// double-click opens nothing, as it would for the user.
void TMainForm::OpenStartFile() {
  RunCommand([this] {
    InDirectoryListBox.SetDirectory(FStartFile.parent_path());
    InFileListBox.SetItemIndex(-1);
    for (int i = 0; i < InFileListBox.Count(); ++i)
      if (InFileListBox.FullPath(i).filename() == FStartFile.filename())
        InFileListBox.SetItemIndex(i);
    InFileListBoxDblClick();
  });
}

// A remembered folder that no longer exists, or cannot be entered, is passed over silently.
void TMainForm::ApplyRememberedFolder(TFolderChooser& chooser, const std::string& key) {
  const TIniFile ini(IniFileName());
  const std::string value = ini.ReadString(IniSection, key, PathText(chooser.Directory()));
  if (value.empty()) return;
  const fs::path folder = FWork.WorkDir / fs::path(Cp1252ToUtf8(value));
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return;
  try {
    chooser.SetDirectory(folder);
  } catch (const std::exception&) {
  }
}

bool TMainForm::FormCloseQuery() {
  RunCommand([this] {
    // The user's config folder may not exist yet.
    std::error_code ec;
    fs::create_directories(IniFileName().parent_path(), ec);
    TIniFile ini(IniFileName());
    ini.WriteString(IniSection, InMapKey, PathText(InDirectoryListBox.Directory()));
    ini.WriteString(IniSection, OutMapKey, PathText(OutDirectoryListBox.Directory()));
  });
  return true;
}

void TMainForm::FormDestroy() {
  FToernooi.reset();
  FInputFiles.clear();
}

void TMainForm::ClearToernooiGrid() {
  ::ClearToernooiGrid(ToernooiGrid);
}

void TMainForm::FillToernooiGrid() {
  ::FillToernooiGrid(*FToernooi, ToernooiGrid);
  FSaveDataEnabled = true;
}

void TMainForm::CollectInputFiles() {
  FInputFiles.clear();
  for (int i = 0; i < InFileListBox.Count(); ++i) FInputFiles.push_back(InFileListBox.FullPath(i));
  FDoAllEnabled = !FInputFiles.empty();
}

void TMainForm::InUpdateBitBtnClick() {
  RunCommand([this] { InUpdate(); });
}

void TMainForm::InUpdate() {
  InDirectoryListBox.Update();
  InFileListBox.Update();
  CollectInputFiles();
  FInBoxClearEnabled = !FInputFiles.empty();
  FDesktop.Beep();
}

void TMainForm::OutUpdateBitBtnClick() {
  RunCommand([this] { OutUpdate(); });
}

void TMainForm::OutUpdate() {
  OutDirectoryListBox.Update();
  OutFileListBox.Update();
  FOutBoxClearEnabled = OutFileListBox.Count() > 0;
  FDesktop.Beep();
}

void TMainForm::InBoxClearBitBtnClick() {
  RunCommand([this] {
    if (FDesktop.Confirm("Alle InBox bestanden verwijderen ?")) {
      for (const fs::path& file : FInputFiles) DeleteFile(file);
      InUpdate();
    }
    CollectInputFiles();
  });
}

void TMainForm::OutBoxClearBitBtnClick() {
  RunCommand([this] {
    std::vector<fs::path> files;
    for (int i = 0; i < OutFileListBox.Count(); ++i) files.push_back(OutFileListBox.FullPath(i));
    if (!FDesktop.Confirm("Alle OutBox bestanden verwijderen ?")) return;
    for (const fs::path& file : files) DeleteFile(file);
    OutUpdate();
  });
}

void TMainForm::InDirectoryListBoxDblClick(int index) {
  RunCommand([this, index] { InDirectoryListBox.OpenEntry(index); });
}

void TMainForm::OutDirectoryListBoxDblClick(int index) {
  RunCommand([this, index] { OutDirectoryListBox.OpenEntry(index); });
}

void TMainForm::InFileListBoxDblClick() {
  RunCommand([this] {
    ClearToernooiGrid();
    ClearErrorGrid(ErrorGrid);
    const fs::path path = InFileListBox.FileName();
    if (!FileExists(path)) return;
    FToernooi->LoadFile(path, InputGrid, false);
    InputGrid.FitColumnWidths(true, 1);
    OutUpdate();
    FActivePage = FoutenPage;
    FillToernooiGrid();
    SetStatusText(0, FToernooi->Rec.Naam);
  });
}

fs::path TMainForm::ReportPath() const {
  return OutDirectoryListBox.Directory() / ReportFileName(FToernooi->SourcePath().filename());
}

bool TMainForm::SaveReport(const fs::path& target) {
  if (IsFileInUse(target)) {
    FDesktop.ShowMessage(InUseMessage(target));
    return false;
  }
  WriteReportFile(target, FToernooi->ReportLines);
  return true;
}

void TMainForm::SaveDataBitBtnClick() {
  RunCommand([this] {
    const auto chosen = FDesktop.SaveDialog(ReportPath());
    if (chosen && WouldReplaceInput(*chosen, FToernooi->SourcePath())) {
      FDesktop.ShowError(PathText(*chosen) + ": the report would replace the input file");
    } else if (chosen) {
      const std::string question =
          FileNameText(*chosen) + "\r\r" + (FileExists(*chosen) ? "Overschrijven ?" : "bewaren ?");
      FDesktop.Repaint();
      if (FDesktop.Confirm(question)) SaveReport(*chosen);
    }
    OutUpdate();
  });
}

void TMainForm::DoAllBitBtnClick() {
  RunCommand([this] {
    SetStatusText(1, "");
    if (!FDesktop.Confirm("Alle bestanden in \r" + PathText(InDirectoryListBox.Directory()) +
                          "\r\rtransformeren in Fide2006 bestanden ?"))
      return;
    FActivePage = FoutenPage;
    ClearErrorGrid(ErrorGrid);
    const std::vector<fs::path> files = FInputFiles;
    const std::size_t n = files.size();
    TFileIdentities written;
    for (std::size_t i = 0; i < n; ++i) {
      if (FileExists(files[i])) {
        FToernooi->LoadFile(files[i], InputGrid, true);
        FillToernooiGrid();
        // A file that yielded no lines (held by another program, too large, or emptied) would
        // replace an older, complete report with an empty one.
        const fs::path target = ReportPath();
        if (FToernooi->RegelCount() > 0) {
          if (const fs::path* other = written.Find(target))
            FDesktop.ShowMessage(FileNameText(files[i]) + "\r\rHet rapport " + PathText(target) +
                                 "\ris in deze opdracht al gemaakt voor " + FileNameText(*other) +
                                 ".\rGeen bestand gemaakt.");
          else if (SaveReport(target))
            written.Add(target, files[i]);
        }
        SetStatusText(0, FToernooi->Rec.Naam);
        // The new report joins the list where a re-reading of the folder would put it.
        OutFileListBox.Insert(target);
        FOutBoxClearEnabled = OutFileListBox.Count() > 0;
        FDesktop.Beep();
      }
      SetStatusText(1, std::to_string(i + 1) + " van " + std::to_string(n) + " bestanden");
      FDesktop.Repaint();
    }
    SetStatusText(1, "");
  });
}

void TMainForm::ClipBoardBitBtnClick() {
  RunCommand([this] {
    FDesktop.SetClipboardText(ErrorGrid.ClipboardText());
    FDesktop.Beep();
  });
}
