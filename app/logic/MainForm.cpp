#include "app/logic/MainForm.h"

#include "app/logic/FileRefusal.h"

#include "app/logic/AboutText.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <exception>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

constexpr int InitialColWidth = 50;

void SetInitialColWidths(TCellTable& grid) {
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetColWidths(c, InitialColWidth);
}

} // namespace

TMainForm::TMainForm(fs::path exePath, TDesktop& desktop, char decimalSeparator)
    : Conversion(*this, {decimalSeparator, true, true}), InputGrid(Conversion.InputGrid),
      ToernooiGrid(Conversion.ToernooiGrid), ErrorGrid(Conversion.ErrorGrid), FDesktop(desktop),
      FExePath(std::move(exePath)), FDecimalSeparator(decimalSeparator),
      FConvert(Conversion, desktop), FFiles(desktop),
      FWatch(
          desktop, [this] { return FCommandDepth > 0; },
          [this] {
            RunCommand([this] {
              InReread();
              OutReread();
              FDesktop.Repaint();
            });
          }) {
  for (TCellTable* grid : {&InputGrid, &ToernooiGrid, &ErrorGrid}) SetInitialColWidths(*grid);
  InputGrid.OnCanEditCell = InputGridCanEditCell;
  ToernooiGrid.OnCanEditCell = ToernooiGridCanEditCell;
  ErrorGrid.OnCanEditCell = ToernooiGridCanEditCell;
  InDirectoryListBox.SetFileList(&InFileListBox);
  OutDirectoryListBox.SetFileList(&OutFileListBox);
}

void TMainForm::RunCommand(const std::function<void()>& command) {
  if (FConvert.Working()) return;
  ++FCommandDepth;
  try {
    command();
  } catch (const std::exception& e) {
    FDesktop.ShowError(FailureText(Tekst::OpdrachtAfgebroken, e));
  }
  --FCommandDepth;
  if (FCommandDepth > 0) return;
  FollowFileLists();
  if (FActivated && FAlive)
    FWatch.Follow({InDirectoryListBox.Directory(), OutDirectoryListBox.Directory()});
}

void TMainForm::FollowFileLists() {
  if (InFileListBox.Generation() != FInputGeneration) InputFilesChanged();
  if (OutFileListBox.Generation() != FOutputGeneration) OutputFilesChanged();
}

void TMainForm::OutputFilesChanged() {
  FOutputGeneration = OutFileListBox.Generation();
  FOutBoxClearEnabled = OutFileListBox.Count() > 0;
}

void TMainForm::SetStatusText(int panel, const std::string& text) {
  // A panel is a line of a few hundred pixels: of a tournament name of megabytes it keeps the
  // start, ended by an ellipsis; the tables show the whole name.
  std::string kept = text.size() > MaxStatusChars ? text.substr(0, MaxStatusChars) + "\x85" : text;
  if (panel >= 0 && panel < static_cast<int>(FStatusText.size()))
    FStatusText[static_cast<std::size_t>(panel)] = std::move(kept);
}

std::string TMainForm::ErrorCellText(int col, int row) const {
  return Conversion.ErrorCell(col, row, WindowNaming());
}

std::string TMainForm::StatusText(int panel) const {
  if (panel == 1 && FConvert.Working() && !FConvert.ProgressText().empty())
    return FConvert.ProgressText();
  if (panel < 0 || panel >= static_cast<int>(FStatusText.size())) return {};
  return FStatusText[static_cast<std::size_t>(panel)];
}

fs::path TMainForm::IniFileName() const {
  return FWork.IniFile;
}

TRememberedSettings TMainForm::Settings() const {
  return {FWork.IniFile, FWork.WorkDir};
}

void TMainForm::FormCreate() {
  RunCommand([this] {
    // The tournament is there before any folder is touched, so a failing folder cannot leave
    // the window without one.
    Conversion.Toernooi.Clear();
    FAlive = true;
    FProgramDir = NormalFolderPath(fs::absolute(FExePath).parent_path());
    FWork = ChooseWorkFolders(FExePath, FDesktop);
    FInputFiles.clear();
    FCaption = CaptionText(FDecimalSeparator);
    FDesktop.Repaint();
    // An installed program's work folders are under the documents, which may not exist yet.
    std::error_code ec;
    fs::create_directories(FWork.WorkDir, ec);
    FFiles.OpenWorkFolder(InDirectoryListBox, FWork.WorkDir / "InBox", FWork.Examples,
                          FWork.WorkDir);
    FFiles.OpenWorkFolder(OutDirectoryListBox, FWork.WorkDir / "OutBox", {}, FWork.WorkDir);
  });
}

void TMainForm::FormActivate() {
  if (FActivated) return;
  FActivated = true;
  RunCommand([this] {
    Settings().ApplyFolders(InDirectoryListBox, OutDirectoryListBox);
    Conversion.ClearTables();
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
    if (ShowRefusal(FDesktop, InDirectoryListBox.SetDirectory(FStartFile.parent_path()))) return;
    InFileListBox.SetItemIndex(-1);
    SelectInputFile(InDirectoryListBox.Directory() / FStartFile.filename());
    InFileListBoxDblClick();
  });
}

bool TMainForm::FormCloseQuery() {
  RunCommand([this] {
    ShowRefusal(FDesktop, Settings().Store(InDirectoryListBox.Directory(),
                                           OutDirectoryListBox.Directory(), FBounds));
  });
  return true;
}

std::optional<TWindowBounds> TMainForm::RememberedBounds() const {
  return Settings().Bounds();
}

void TMainForm::FormDestroy() {
  FWatch.Stop();
  Conversion.Toernooi.Clear();
  FAlive = false;
  FInputFiles.clear();
}

void TMainForm::CollectInputFiles() {
  FInputFiles.clear();
  for (int i = 0; i < InFileListBox.Count(); ++i) FInputFiles.push_back(InFileListBox.FullPath(i));
  FInputGeneration = InFileListBox.Generation();
  FDoAllEnabled = !FInputFiles.empty();
}

void TMainForm::InUpdateBitBtnClick() {
  RunCommand([this] { InUpdate(); });
}

void TMainForm::InUpdate() {
  InDirectoryListBox.Update();
  InFileListBox.Update();
  InputFilesChanged();
  FDesktop.Beep();
}

void TMainForm::InReread() {
  InDirectoryListBox.Update();
  InFileListBox.Reread();
  InputFilesChanged();
}

void TMainForm::InputFilesChanged() {
  CollectInputFiles();
  FInBoxClearEnabled = !FInputFiles.empty();
}

void TMainForm::OutUpdateBitBtnClick() {
  RunCommand([this] { OutUpdate(); });
}

void TMainForm::OutUpdate() {
  OutDirectoryListBox.Update();
  OutFileListBox.Update();
  OutputFilesChanged();
  FDesktop.Beep();
}

void TMainForm::OutReread() {
  OutDirectoryListBox.Update();
  OutFileListBox.Reread();
  OutputFilesChanged();
}

void TMainForm::RefreshFileLists() {
  RunCommand([this] {
    OutUpdate();
    InUpdate();
  });
}

void TMainForm::InBoxClearBitBtnClick() {
  RunCommand([this] {
    if (FFiles.Clear(FInputFiles, Tekst::InBoxLegen)) InUpdate();
    CollectInputFiles();
  });
}

void TMainForm::OutBoxClearBitBtnClick() {
  RunCommand([this] {
    std::vector<fs::path> files;
    for (int i = 0; i < OutFileListBox.Count(); ++i) files.push_back(OutFileListBox.FullPath(i));
    if (FFiles.Clear(files, Tekst::OutBoxLegen)) OutUpdate();
  });
}

void TMainForm::InDirectoryListBoxDblClick(int index) {
  RunCommand([this, index] { ShowRefusal(FDesktop, InDirectoryListBox.OpenEntry(index)); });
}

void TMainForm::OutDirectoryListBoxDblClick(int index) {
  RunCommand([this, index] { ShowRefusal(FDesktop, OutDirectoryListBox.OpenEntry(index)); });
}

void TMainForm::InFileListBoxDblClick() {
  RunCommand([this] { OpenInputFile(InFileListBox.FileName()); });
}

void TMainForm::OpenInputFile(const fs::path& path) {
  SetStatusText(1, "");
  const TConvertResult result = FConvert.Open(path);
  if (result.Load.Outcome == TLoadOutcome::Stopped) {
    FSaveDataEnabled = false;
    SetStatusText(0, "");
    SetStatusText(1, Tekst::Gestopt);
    return;
  }
  const bool read = result.Outcome != TConvertOutcome::NotRead;
  FSaveDataEnabled = read && Conversion.HasReport();
  if (!read) {
    // Nothing of the previous file stays to be mistaken for this one's.
    SetStatusText(0, "");
    SetStatusText(1, "");
    if (result.Load.Outcome == TLoadOutcome::Missing) InReread();
  } else {
    // A file of header lines alone has no other cells to widen the columns of their texts.
    InputGrid.FitMergedTexts(1);
    SetStatusText(0, result.Load.Naam);
    SetStatusText(1, LoadStatusText(result.Load.Fouten, result.Load.Codering));
    OutUpdate();
    FActivePage = FoutenPage;
  }
  // The window shows the load's end before a message holds it up.
  FDesktop.Repaint();
  // An open of a file that read nothing always says why, an empty file and one gone included;
  // a double-click with no file selected only empties the tables.
  if (!read && !path.empty())
    FDesktop.ShowMessage(result.Text(WindowNaming()));
  else
    FConvert.Show(result);
}

bool TMainForm::SelectInputFile(const fs::path& file) {
  for (int i = 0; i < InFileListBox.Count(); ++i)
    if (InFileListBox.FullPath(i) == file) {
      InFileListBox.SetItemIndex(i);
      return true;
    }
  return false;
}

void TMainForm::InFileListBoxOpen() {
  RunCommand([this] {
    if (InFileListBox.ItemIndex() >= 0) OpenInputFile(InFileListBox.FileName());
  });
}

void TMainForm::OutFileListBoxDblClick() {
  RunCommand([this] { FFiles.Open(OutFileListBox.FileName()); });
}

void TMainForm::InFileListBoxOpenFolder() {
  RunCommand([this] { FFiles.OpenFolder(InFileListBox); });
}

void TMainForm::OutFileListBoxOpenFolder() {
  RunCommand([this] { FFiles.OpenFolder(OutFileListBox); });
}

void TMainForm::InFileListBoxDelete() {
  RunCommand([this] { FFiles.DeleteSelected(InFileListBox, [this] { InReread(); }); });
}

void TMainForm::OutFileListBoxDelete() {
  RunCommand([this] { FFiles.DeleteSelected(OutFileListBox, [this] { OutReread(); }); });
}

void TMainForm::ErrorGridDblClick(int row) {
  RunCommand([this, row] {
    if (row < ErrorGrid.FixedRows() || row >= ErrorGrid.RowCount()) return;
    if (const fs::path* file = Conversion.SummaryFile(row)) {
      if (SelectInputFile(*file)) InFileListBoxDblClick();
      return;
    }
    const std::optional<int> input = Conversion.FindingRow(row);
    if (!input) return;
    FInputGridRow = *input;
    ++FInputGridRowRequests;
    FActivePage = InleesGridPage;
  });
}

void TMainForm::HelpAboutClick() {
  RunCommand([this] {
    FDesktop.ShowAbout(AboutText(FDecimalSeparator, InDirectoryListBox.Directory(),
                                 OutDirectoryListBox.Directory(), IniFileName()));
  });
}

void TMainForm::CopyCells(const TCellTable& grid, int left, int top, int right, int bottom) {
  RunCommand([&] {
    FDesktop.SetClipboardText(&grid == &ErrorGrid
                                  ? Conversion.ErrorText(left, top, right, bottom, WindowNaming())
                                  : DisplayText(grid.SelectionText(left, top, right, bottom)));
  });
}

void TMainForm::FormDragDrop(const std::vector<fs::path>& paths, TDropSide side) {
  RunCommand([&] {
    const TDropped dropped = FFiles.Sort(paths, side, InFileListBox.Mask());
    if (dropped.Folder && side == TDropSide::Input) {
      if (ShowRefusal(FDesktop, InDirectoryListBox.SetDirectory(*dropped.Folder))) return;
      InputFilesChanged();
    } else if (dropped.Folder &&
               ShowRefusal(FDesktop, OutDirectoryListBox.SetDirectory(*dropped.Folder))) {
      return;
    }
    if (dropped.Files.empty()) return;
    const std::optional<fs::path> first =
        FFiles.CopyInto(dropped.Files, InDirectoryListBox.Directory());
    InReread();
    if (!first) return;
    SelectInputFile(*first);
    OpenInputFile(*first);
  });
}

void TMainForm::SaveDataBitBtnClick() {
  RunCommand([this] {
    FConvert.Save(OutDirectoryListBox.Directory());
    OutUpdate();
  });
}

void TMainForm::DoAllBitBtnClick() {
  RunCommand([this] {
    SetStatusText(1, "");
    if (!FDesktop.Confirm(DisplayText(Tekst::AlleBestandenIn) + "\r" +
                          DisplayPath(InDirectoryListBox.Directory()) + "\r\r" +
                          DisplayText(Tekst::Transformeren)))
      return;
    FActivePage = FoutenPage;
    // The run shows no tournament of its own: the name of the file opened before would be
    // taken for one of the run's.
    SetStatusText(0, "");
    const std::string end = FConvert.RunAll(
        FInputFiles, OutDirectoryListBox.Directory(),
        [this](const TConvertResult& result, bool report, const std::string& progress) {
          FSaveDataEnabled = report;
          if (result.Done()) {
            // The new report joins the list where a re-reading of the folder would put it.
            OutFileListBox.Insert(result.Target);
            FDesktop.Beep();
          }
          SetStatusText(1, progress);
        });
    // The first panel, where a user looks first, keeps how far a run got that the user stopped,
    // or else what it made; the count of a single file's findings has no meaning after a run.
    SetStatusText(0, end);
    SetStatusText(1, "");
  });
}

void TMainForm::ClipBoardBitBtnClick() {
  RunCommand([this] {
    FDesktop.SetClipboardText(Conversion.ErrorText(WindowNaming()));
    FDesktop.Beep();
  });
}
