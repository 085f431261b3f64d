#include "app/logic/MainForm.h"

#include "app/logic/IniFile.h"
#include "app/logic/WindowRunListener.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"
#include "core/text/Version.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const IniSection = "LastSession";
const char* const InMapKey = "DataInMap";
const char* const OutMapKey = "DataOutMap";
const char* const WindowSection = "Window";
const char* const BoundsKeys[4] = {"Left", "Top", "Width", "Height"};
const char* const MaximizedKey = "Maximized";
constexpr int InitialColWidth = 50;

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

void SetInitialColWidths(TCellTable& grid) {
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetColWidths(c, InitialColWidth);
}

std::string NotOpenedMessage(const fs::path& path) {
  return DisplayPath(path) + "\r" + DisplayText(Tekst::NietGeopend);
}

std::string RefusedMessage(const std::vector<std::string>& names) {
  std::string text = DisplayText(Tekst::NietOvergenomen);
  for (const std::string& name : names) text += "\r" + name;
  return text + "\r\r" + DisplayText(Tekst::AlleenCsvEnMap);
}

// What failed in the program's words, then the detail the failure gave.
std::string FailureText(const char* what, const std::exception& e) {
  return DisplayText(what) + "\r" + DisplayText(e.what());
}

// The window's messages give the program's words and names of files as the desktop shows them.
const TMessageNaming& WindowNaming() {
  static const TMessageNaming naming{DisplayText, DisplayName, DisplayPath};
  return naming;
}

// A whole decimal number, or none.
std::optional<int> IntValue(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

// The ini file holds paths in the file system's own encoding; an older installation wrote
// them in code page 1252.
fs::path RememberedPath(const std::string& value) {
  return fs::path(IsUtf8(value) ? value : Cp1252ToUtf8(value));
}

} // namespace

TMainForm::TMainForm(fs::path exePath, TDesktop& desktop, char decimalSeparator)
    : Conversion(*this, {decimalSeparator, true, true}), InputGrid(Conversion.InputGrid),
      ToernooiGrid(Conversion.ToernooiGrid), ErrorGrid(Conversion.ErrorGrid), FDesktop(desktop),
      FExePath(std::move(exePath)), FDecimalSeparator(decimalSeparator) {
  for (TCellTable* grid : {&InputGrid, &ToernooiGrid, &ErrorGrid}) SetInitialColWidths(*grid);
  // Only a single load shows how far it is; a run counts its files.
  Conversion.Toernooi.OnProgress = [this](std::size_t read, std::size_t size) {
    if (FSingleLoad) FBeside.SetProgress(read, size);
  };
  InputGrid.OnCanEditCell = InputGridCanEditCell;
  ToernooiGrid.OnCanEditCell = ToernooiGridCanEditCell;
  ErrorGrid.OnCanEditCell = ToernooiGridCanEditCell;
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
  if (FBeside.Running()) return;
  ++FCommandDepth;
  try {
    command();
  } catch (const std::exception& e) {
    FDesktop.ShowError(FailureText(Tekst::OpdrachtAfgebroken, e));
  }
  --FCommandDepth;
  if (FCommandDepth > 0) return;
  FollowFileLists();
  WatchFolders();
}

void TMainForm::FollowFileLists() {
  if (InFileListBox.Generation() != FInputGeneration) InputFilesChanged();
  if (OutFileListBox.Generation() != FOutputGeneration) OutputFilesChanged();
}

void TMainForm::OutputFilesChanged() {
  FOutputGeneration = OutFileListBox.Generation();
  FOutBoxClearEnabled = OutFileListBox.Count() > 0;
}

void TMainForm::WatchFolders() {
  if (!FActivated || !FAlive) return;
  std::vector<fs::path> folders;
  for (const fs::path& dir : {InDirectoryListBox.Directory(), OutDirectoryListBox.Directory()})
    if (!dir.empty() && std::find(folders.begin(), folders.end(), dir) == folders.end())
      folders.push_back(dir);
  if (folders != FWatched) {
    FWatched = folders;
    FDesktop.WatchFolders(FWatched, [this] { FolderChanged(); });
  }
  if (FFolderChangePending) {
    FFolderChangePending = false;
    FolderChanged();
  }
}

void TMainForm::FolderChanged() {
  // A command that repaints mid-way (the batch writing its reports) is not interrupted; its
  // lists are read again once it ends.
  if (FCommandDepth > 0) {
    FFolderChangePending = true;
    return;
  }
  RunCommand([this] {
    InReread();
    OutReread();
    FDesktop.Repaint();
  });
}

void TMainForm::SetStatusText(int panel, const std::string& text) {
  // A panel is a line of a few hundred pixels: of a tournament name of megabytes it keeps the
  // start, ended by an ellipsis; the tables show the whole name.
  std::string kept = text.size() > MaxStatusChars ? text.substr(0, MaxStatusChars) + "\x85" : text;
  if (panel >= 0 && panel < static_cast<int>(FStatusText.size()))
    FStatusText[static_cast<std::size_t>(panel)] = std::move(kept);
}

void TMainForm::Show(const TConvertResult& result) {
  if (result.Told()) FDesktop.ShowMessage(result.Text(WindowNaming()));
}

std::string TMainForm::ErrorCellText(int col, int row) const {
  return Conversion.ErrorCell(col, row, WindowNaming());
}

bool TMainForm::StopRequested() {
  return FSingleLoad && FBeside.Stopped();
}

std::string TMainForm::StatusText(int panel) const {
  if (panel == 1 && FBeside.Running() && !FProgressText.empty()) return FProgressText;
  if (panel < 0 || panel >= static_cast<int>(FStatusText.size())) return {};
  return FStatusText[static_cast<std::size_t>(panel)];
}

void TMainForm::RunBeside(bool singleLoad, const std::function<void()>& job,
                          const std::function<void()>& tick) {
  FSingleLoad = singleLoad;
  FProgressText.clear();
  try {
    FBeside.Run(FDesktop, job, tick);
  } catch (...) {
    FSingleLoad = false;
    throw;
  }
  FSingleLoad = false;
}

// As the page shows it: "<file> inlezen … 45 %", then "<file> verwerken …".
void TMainForm::ShowLoadProgress(const std::string& name) {
  const std::size_t total = FBeside.Total();
  const std::size_t done = FBeside.Done();
  if (total == 0) return;
  FProgressText = done < total ? FillIn(Tekst::Inlezen, name, std::to_string(100 * done / total))
                               : FillIn(Tekst::Verwerken, name);
  FDesktop.Repaint();
}

fs::path TMainForm::IniFileName() const {
  return FWork.IniFile;
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
      FDesktop.ShowError(FailureText(Tekst::VoorbeeldenNietGekopieerd, e));
    }
  }
  try {
    chooser.SetDirectory(path);
  } catch (const std::exception& e) {
    FDesktop.ShowError(FailureText(Tekst::WerkmapNietGeopend, e));
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
  const std::string value = ini.ReadString(IniSection, key, chooser.Directory().string());
  if (value.empty()) return;
  const fs::path folder = FWork.WorkDir / RememberedPath(value);
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
    ini.WriteString(IniSection, InMapKey, InDirectoryListBox.Directory().string());
    ini.WriteString(IniSection, OutMapKey, OutDirectoryListBox.Directory().string());
    if (!FBounds) return;
    const int values[4] = {FBounds->Left, FBounds->Top, FBounds->Width, FBounds->Height};
    for (int i = 0; i < 4; ++i)
      ini.WriteString(WindowSection, BoundsKeys[i], std::to_string(values[i]));
    ini.WriteString(WindowSection, MaximizedKey, FBounds->Maximized ? "1" : "0");
  });
  return true;
}

std::optional<TWindowBounds> TMainForm::RememberedBounds() const {
  const TIniFile ini(IniFileName());
  int values[4] = {};
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> value = IntValue(ini.ReadString(WindowSection, BoundsKeys[i], ""));
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return TWindowBounds{values[0], values[1], values[2], values[3],
                       ini.ReadString(WindowSection, MaximizedKey, "0") == "1"};
}

void TMainForm::FormDestroy() {
  FDesktop.WatchFolders({}, nullptr);
  FWatched.clear();
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

// Sources of a season cannot be made again, so a cleared file goes to the trash where there
// is one. A file that cannot be removed stays without a message, and a folder is never removed.
void TMainForm::DeleteFile(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(file, ec))) return;
  if (!FDesktop.MoveToTrash(file)) fs::remove(file, ec);
}

void TMainForm::InBoxClearBitBtnClick() {
  RunCommand([this] {
    if (FDesktop.Confirm(DisplayText(Tekst::InBoxLegen))) {
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
    if (!FDesktop.Confirm(DisplayText(Tekst::OutBoxLegen))) return;
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
  RunCommand([this] { OpenInputFile(InFileListBox.FileName()); });
}

void TMainForm::OpenInputFile(const fs::path& path) {
  TConvertResult result;
  const std::string name = FileNameText(path);
  SetStatusText(1, "");
  RunBeside(
      true, [&] { result = Conversion.Open(path); }, [&] { ShowLoadProgress(name); });
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
    Show(result);
}

void TMainForm::InFileListBoxOpen() {
  RunCommand([this] {
    if (InFileListBox.ItemIndex() >= 0) OpenInputFile(InFileListBox.FileName());
  });
}

void TMainForm::OutFileListBoxDblClick() {
  RunCommand([this] {
    const fs::path path = OutFileListBox.FileName();
    if (!path.empty() && !FDesktop.OpenPath(path)) FDesktop.ShowMessage(NotOpenedMessage(path));
  });
}

void TMainForm::InFileListBoxOpenFolder() {
  RunCommand([this] { OpenFileListFolder(InFileListBox); });
}

void TMainForm::OutFileListBoxOpenFolder() {
  RunCommand([this] { OpenFileListFolder(OutFileListBox); });
}

void TMainForm::OpenFileListFolder(const TFileListBox& list) {
  if (list.ItemIndex() >= 0 && FDesktop.ShowInFileManager(list.FileName())) return;
  if (!FDesktop.OpenPath(list.Directory()))
    FDesktop.ShowMessage(NotOpenedMessage(list.Directory()));
}

void TMainForm::InFileListBoxDelete() {
  RunCommand([this] { DeleteSelectedFile(InFileListBox); });
}

void TMainForm::OutFileListBoxDelete() {
  RunCommand([this] { DeleteSelectedFile(OutFileListBox); });
}

void TMainForm::DeleteSelectedFile(TFileListBox& list) {
  const fs::path file = list.FileName();
  if (file.empty() || !FDesktop.Confirm(DisplayName(file) + DisplayText(Tekst::Verwijderen)))
    return;
  DeleteFile(file);
  if (&list == &InFileListBox)
    InReread();
  else
    OutReread();
  std::error_code ec;
  if (fs::exists(fs::symlink_status(file, ec)))
    FDesktop.ShowMessage(DisplayPath(file) + "\r" + DisplayText(Tekst::NietVerwijderd));
}

void TMainForm::ErrorGridDblClick(int row) {
  RunCommand([this, row] {
    if (row < ErrorGrid.FixedRows() || row >= ErrorGrid.RowCount()) return;
    if (const fs::path* file = Conversion.SummaryFile(row)) {
      for (int i = 0; i < InFileListBox.Count(); ++i)
        if (InFileListBox.FullPath(i) == *file) {
          InFileListBox.SetItemIndex(i);
          InFileListBoxDblClick();
          return;
        }
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
    // The copyright year is that of the version, so the two never contradict each other.
    const std::string year = std::string(ProgramDate).substr(0, 4);
    FDesktop.ShowAbout(
        DisplayText(FillIn(Tekst::OverProgramma, VersionText(FDecimalSeparator), year)) + "\r\r" +
        DisplayText(Tekst::OverWerkmappen) + "\r" + DisplayPath(InDirectoryListBox.Directory()) +
        "\r" + DisplayPath(OutDirectoryListBox.Directory()) + "\r\r" +
        DisplayText(Tekst::OverInstellingen) + "\r" + DisplayPath(IniFileName()));
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
    std::optional<fs::path> folder;
    std::vector<fs::path> files;
    std::vector<std::string> refused;
    for (const fs::path& path : paths) {
      if (IsFolder(path) && side != TDropSide::Elsewhere && !folder)
        folder = path;
      else if (FileExists(path) && MatchesMask(FileNameText(path), InFileListBox.Mask()))
        files.push_back(path);
      else
        refused.push_back(DisplayPath(path));
    }
    if (!refused.empty()) FDesktop.ShowMessage(RefusedMessage(refused));
    if (folder && side == TDropSide::Input) {
      InDirectoryListBox.SetDirectory(*folder);
      InputFilesChanged();
    } else if (folder) {
      OutDirectoryListBox.SetDirectory(*folder);
    }
    std::optional<fs::path> first;
    for (const fs::path& file : files) {
      const std::optional<fs::path> copy = CopyToInputFolder(file);
      if (!first) first = copy;
    }
    if (files.empty()) return;
    InReread();
    if (!first) return;
    for (int i = 0; i < InFileListBox.Count(); ++i)
      if (InFileListBox.FullPath(i) == *first) InFileListBox.SetItemIndex(i);
    OpenInputFile(*first);
  });
}

std::optional<fs::path> TMainForm::CopyToInputFolder(const fs::path& file) {
  const fs::path target = InDirectoryListBox.Directory() / file.filename();
  std::error_code ec;
  if (fs::equivalent(file, target, ec)) return target;
  if (fs::exists(target, ec) &&
      !FDesktop.Confirm(DisplayName(target) + "\r\r" + DisplayText(Tekst::Overschrijven)))
    return std::nullopt;
  fs::copy_file(file, target, fs::copy_options::overwrite_existing, ec);
  if (!ec) return target;
  FDesktop.ShowMessage(DisplayPath(target) + "\r" + DisplayText(NietGemaaktText(ec)));
  return std::nullopt;
}

void TMainForm::SaveDataBitBtnClick() {
  RunCommand([this] {
    // Without a report to save the dialog does not open: the user is told why.
    const TConvertResult allowed = Conversion.CanSave();
    if (!allowed.Done()) {
      Show(allowed);
    } else if (const auto chosen =
                   FDesktop.SaveDialog(Conversion.ReportTarget(OutDirectoryListBox.Directory()))) {
      Show(Conversion.Save(*chosen, [&] {
        const std::string question =
            DisplayName(*chosen) + "\r\r" +
            DisplayText(FileExists(*chosen) ? Tekst::Overschrijven : Tekst::Bewaren);
        FDesktop.Repaint();
        return FDesktop.Confirm(question);
      }));
    }
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
    const std::vector<fs::path> files = FInputFiles;
    const fs::path outDir = OutDirectoryListBox.Directory();
    TWindowRunListener run(FBeside, files.size());
    // The run's thread hands each converted file to the window's thread, which shows it. A file
    // that gave no report says why on its row of the error list, not in a message of its own:
    // a run over a folder the user cannot write to would stop at every file.
    run.OnFileEnded = [this, &run](const TConvertResult& result) -> std::function<void()> {
      return [this, &run, result, report = Conversion.HasReport()] {
        FSaveDataEnabled = report;
        if (result.Done()) {
          // The new report joins the list where a re-reading of the folder would put it.
          OutFileListBox.Insert(result.Target);
          FDesktop.Beep();
        }
        SetStatusText(1, run.ProgressText());
      };
    };
    const auto job = [&] {
      TConversionRun driver(Conversion, run);
      driver.ListRefused = true;
      driver.Run(files, outDir);
    };
    RunBeside(false, job, [&] {
      FProgressText = run.ProgressText();
      FDesktop.Repaint();
    });
    // The first panel, where a user looks first, keeps how far a run got that the user stopped,
    // or else what it made; the count of a single file's findings has no meaning after a run.
    SetStatusText(0, run.EndText(FileNameText(outDir.filename())));
    SetStatusText(1, "");
  });
}

void TMainForm::ClipBoardBitBtnClick() {
  RunCommand([this] {
    FDesktop.SetClipboardText(Conversion.ErrorText(WindowNaming()));
    FDesktop.Beep();
  });
}
