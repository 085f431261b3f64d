#pragma once

#include "core/CoreUI.h"
#include "core/FileIdentities.h"
#include "core/LoadOutcome.h"
#include "core/Toernooi.h"
#include "table/CellTable.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// How converting one file ended.
enum class TConvertOutcome {
  // Read, its table filled and its report made; in a run or a save also written.
  Done,
  // The load read no lines; Load says why.
  NotRead,
  // The players and rounds would make a report larger than the limit.
  ReportTooLarge,
  // The report's target is an input of the run (or, for a save, the file it was made from).
  WouldReplaceInput,
  // A report of the same name was written earlier in the run.
  AlreadyWritten,
  // Another program holds the target, or it is read-only.
  TargetInUse,
  // The user did not confirm the save.
  Declined,
};

// How a message gives its own words and names its files. The core's words are code page 1252,
// and so are names by default; a front end that shows names as they are gives its own.
struct TMessageNaming {
  std::function<std::string(std::string_view)> Text;
  // A file's name without its folder, and a full path.
  std::function<std::string(const std::filesystem::path&)> Name;
  std::function<std::string(const std::filesystem::path&)> Path;
};

// Code page 1252 throughout.
const TMessageNaming& Cp1252Naming();

struct TConvertResult {
  TConvertOutcome Outcome = TConvertOutcome::Done;
  TLoadResult Load;
  std::filesystem::path Input;
  // Where the report goes, or would have gone.
  std::filesystem::path Target;
  // The run's input the report would replace, or the file the same report was written for.
  std::filesystem::path Other;
  // The refusal's text of a report too large.
  std::string Detail;

  bool Done() const { return Outcome == TConvertOutcome::Done; }
  // Whether the window and the page tell the user: a file gone from the folder and an empty
  // file are passed over silently, as the reader always has, and so is a load the user stopped.
  bool Told() const;
  // The file the text is about: the target when it is in use, else the input.
  const std::filesystem::path& Subject() const;
  // What to tell, after the subject's name: lines separated by CR, in Dutch.
  std::string Reason(const TMessageNaming& naming = Cp1252Naming()) const;
  // The whole message as the window and the page show it.
  std::string Text(const TMessageNaming& naming = Cp1252Naming()) const;
};

// One conversion run, as every front end makes it: the three tables and the tournament, and
// the rules of opening one file, saving its report, and converting many files into a folder.
// What a run does not write (a file that gave no lines, a report over an input or written
// before, a report too large, a target in use) is decided here and nowhere else. Refusals
// that the user is told go through TCoreUI::ShowMessage; every result says what it was.
class TConversion {
public:
  explicit TConversion(TCoreUI& ui, char decimalSeparator = '.');
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
  // Whether there is a report to save: the last file opened or converted filled the table.
  bool HasReport() const { return FHasReport; }
  // The report's target in the folder for the file last read.
  std::filesystem::path ReportTarget(const std::filesystem::path& outDir) const;
  // Saves the report of the file last opened at the target the user chose. confirm asks the
  // user, once a target is known to be allowed; it may decline.
  TConvertResult Save(const std::filesystem::path& target, const std::function<bool()>& confirm);

  // Starts a run over the files: the error list collects one summary row per file (every
  // finding too, when batch is false), and no report of the run takes the place of one of
  // these files.
  void StartRun(const std::vector<std::filesystem::path>& inputs, bool batch = true);
  // Converts one file of the run and writes its report into the folder. Throws
  // std::runtime_error("Cannot create file " + path) when the report cannot be written.
  TConvertResult ConvertFile(const std::filesystem::path& input,
                             const std::filesystem::path& outDir);
  // Converts one file of the run from its bytes; the report stays in ReportLines for the
  // caller to store under ReportName. Report names count per run as written files do. The
  // bytes go once read, as in OpenBytes.
  TConvertResult ConvertBytes(const std::filesystem::path& input, std::string bytes);
  // Fits the error list once for the whole run.
  void FinishRun();

  // The report's file name for the file last read.
  std::string ReportName() const;

  TCellTable InputGrid;
  TCellTable ToernooiGrid;
  TCellTable ErrorGrid;
  TToernooi Toernooi;
  // How the messages told through TCoreUI::ShowMessage are written.
  TMessageNaming Naming = Cp1252Naming();

private:
  // The result of a load with the tournament table filled; NotRead when it gave no lines.
  TConvertResult Filled(const std::filesystem::path& input, const TLoadResult& load);
  // The same for a file opened for viewing: the input table fitted, the user told.
  TConvertResult Shown(const std::filesystem::path& path, const TLoadResult& load);
  bool Fill(TConvertResult& result);
  const TConvertResult& Tell(const TConvertResult& result);

  TCoreUI& FUI;
  bool FHasReport = false;
  bool FBatch = true;
  TFileIdentities FInputs;
  TFileIdentities FWritten;
  std::map<std::string, std::filesystem::path> FNamesWritten;
};
