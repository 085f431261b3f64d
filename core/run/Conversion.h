#pragma once

#include "core/reading/LoadOutcome.h"
#include "core/run/ConvertResult.h"
#include "core/run/FileIdentities.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

// How a front end has its conversions made; chosen once, applied to every load.
struct TConvertSettings {
  // Of points and the version, in the tournament table and the report.
  char DecimalSeparator = '.';
  // A run lists only each file's summary row in the error list, not every finding.
  bool Batch = true;
  // Whether a load writes the file's lines into the input table; a front end that never shows
  // that table leaves it empty, since it takes several times the file's size.
  bool FillInputGrid = true;
};

// One conversion run, as every front end makes it: the three tables and the tournament, and
// the rules of opening one file, saving its report, and converting many files into a folder.
// What a run does not write (a file that gave no lines, a report over an input or written
// before, a report too large, a target in use, a report the system could not write) is decided
// here and nowhere else, and every result says what it was and why; the front end decides how
// to show it. A report that cannot be written is that file's outcome and the run goes on with
// the next file, as after every other refusal: the reports of the other files are not lost, and
// every file of the run ends in a result of its own; only a folder gone or a disk full, which
// no later file could escape, ends the run (TConvertResult::EndsRun).
class TConversion {
public:
  explicit TConversion(TCoreUI& ui, const TConvertSettings& settings = {});
  TConversion(const TConversion&) = delete;
  TConversion& operator=(const TConversion&) = delete;

  // Empties the tournament table and the error list; until then the tables are as a new table
  // is made.
  void ClearTables();

  // The double-click: empties the tournament table and the error list, reads the file, fits
  // the input table and fills the tournament table with the report behind it. A file gone from
  // the folder is not read at all.
  TConvertResult Open(const std::filesystem::path& path);
  // The same for bytes already in memory, as the file at path. The bytes go once read, before
  // the tournament table is made, so that the two never take room at once.
  TConvertResult OpenBytes(const std::filesystem::path& path, std::string bytes);
  // The same for a file its front end could not read into memory: the tables emptied and the
  // reader's outcome for it.
  TConvertResult OpenUnread(const std::filesystem::path& path, TLoadOutcome why);
  // Whether there is a report to save: the last file opened or converted filled the table.
  bool HasReport() const { return FHasReport; }
  // Whether the report of the file last read may be saved: Done, or NothingToSave with the
  // reason the last load gave (no lines read, a report too large) or none when no file was read.
  TConvertResult CanSave() const;
  // The report's target in the folder for the file last read.
  std::filesystem::path ReportTarget(const std::filesystem::path& outDir) const;
  // Saves the report of the file last opened at the target the user chose. confirm asks the
  // user, once there is a report and its target is known to be allowed; it may decline.
  TConvertResult Save(const std::filesystem::path& target, const std::function<bool()>& confirm);

  // Starts a run over the files: the error list collects one summary row per file (every
  // finding too, unless the settings say batch), and no report of the run takes the place of
  // one of these files.
  void StartRun(const std::vector<std::filesystem::path>& inputs);
  // Converts one file of the run and writes its report into the folder.
  TConvertResult ConvertFile(const std::filesystem::path& input,
                             const std::filesystem::path& outDir);
  // Converts one file of the run from its bytes; the report stays in ReportLines for the
  // caller to store under ReportName. Report names count per run as written files do. The
  // bytes go once read, as in OpenBytes.
  TConvertResult ConvertBytes(const std::filesystem::path& input, std::string bytes);
  // How the disk that takes the reports of ConvertBytes compares their names: two names of one
  // key are one file there. Exact until a front end says otherwise.
  void SetReportKey(std::function<std::string(const std::string&)> key) {
    FReportKey = std::move(key);
  }
  // A file of the run that its front end could not read into memory, as ConvertBytes would
  // have found it.
  TConvertResult ConvertUnread(const std::filesystem::path& input, TLoadOutcome why);
  // A report of ConvertBytes that its front end could not store at the target: that file's
  // outcome, and its name no longer counts as written.
  TConvertResult NotWritten(const std::filesystem::path& input, const std::filesystem::path& target,
                            std::error_code error);
  // Gives a file of the run that gave no report its reason in the error list, after the file's
  // name on one line: a file that gave no lines a summary row of its own, with no count of
  // findings; a file whose report was refused the reason on its summary row. Nothing for a file
  // done or a save declined.
  void ListRefused(const TConvertResult& result);
  // Fits the error list once for the whole run, and draws the input table of its last file.
  void FinishRun();

  // The report's file name for the file last read.
  std::string ReportName() const;

  // A cell of the error list in the naming's words: a file's summary row names the file as the
  // naming names it, so that a name outside code page 1252 shows as it is.
  std::string ErrorCell(int col, int row, const TMessageNaming& naming) const;
  // The error list's cells from (left, top) to (right, bottom), bounds included, as the
  // clipboard receives them (see TCellTable::ClipboardText), each as ErrorCell gives it.
  std::string ErrorText(int left, int top, int right, int bottom,
                        const TMessageNaming& naming) const;
  std::string ErrorText(const TMessageNaming& naming) const;
  // The file of a summary row of the error list, or none for any other row.
  const std::filesystem::path* SummaryFile(int row) const;
  // The error list's row of the file's summary, when the list ends with it.
  std::optional<int> SummaryRow(const std::filesystem::path& input) const;
  // The input table's row of the line that a finding of the error list names; none for a row
  // that names no line, or a line the input table does not show.
  std::optional<int> FindingRow(int row) const;

  TCellTable InputGrid;
  TCellTable ToernooiGrid;
  TCellTable ErrorGrid;
  // The error list's rows, which ErrorGrid shows.
  TFouten Fouten;
  TToernooi Toernooi;

private:
  // The result of a load with the tournament table filled; NotRead when it gave no lines.
  TConvertResult Filled(const std::filesystem::path& input, const TLoadResult& load);
  // The same for a file opened for viewing, with the input table fitted.
  TConvertResult Shown(const std::filesystem::path& path, const TLoadResult& load);
  // A load that read nothing, for a file its front end could not read.
  TConvertResult Unread(const std::filesystem::path& path, TLoadOutcome why, bool batch);
  bool Fill(TConvertResult& result);
  // A file opened for viewing writes the input table as it is read, if the front end shows it.
  void StartView();
  void ClearErrors();
  const TConvertResult& Last(const TConvertResult& result);

  // Asked whether the user stopped a load.
  TCoreUI& FUI;
  bool FBatch;
  // Whether the front end shows the input table (TConvertSettings::FillInputGrid).
  bool FShowsInput;
  bool FHasReport = false;
  // The last file opened or converted, as far as saving its report goes.
  TConvertResult FLast;
  // The error list's rows that say why their file made no report, so that a front end that
  // names files as they are composes the row's text anew in its own naming.
  std::map<int, TConvertResult> FRefusedRows;
  TFileIdentities FInputs;
  TFileIdentities FWritten;
  std::function<std::string(const std::string&)> FReportKey;
  std::map<std::string, std::filesystem::path> FNamesWritten;
};
