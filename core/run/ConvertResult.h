#pragma once

#include "core/reading/LoadOutcome.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

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
  // Another program holds the target.
  TargetInUse,
  // The target is read-only, or this user may not write it.
  TargetDenied,
  // The report could not be written (a read-only folder, a folder of the report's name, a full
  // disk); Error is the system's reason.
  WriteFailed,
  // A save with no report to save: Load, Detail or nothing says why, as the last load left it.
  NothingToSave,
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
// The core's words in UTF-8 and names as the system gives them, as a terminal and the page show
// them.
const TMessageNaming& Utf8Naming();

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
  // Why the system could not write the report.
  std::error_code Error;

  bool Done() const { return Outcome == TConvertOutcome::Done; }
  // Whether no report after this one could be written either, so that a run ends here: the
  // folder of the reports is gone, or the disk is full.
  bool EndsRun() const;
  // Whether the window and the page tell the user: a file gone from the folder and an empty
  // file are passed over silently, as the reader always has, and so is a load the user stopped.
  bool Told() const;
  // The file the text is about: the target when it is in use or could not be written, else the
  // input.
  const std::filesystem::path& Subject() const;
  // What to tell, after the subject's name: lines separated by CR, in Dutch.
  std::string Reason(const TMessageNaming& naming = Cp1252Naming()) const;
  // The whole message as the window and the page show it.
  std::string Text(const TMessageNaming& naming = Cp1252Naming()) const;
};
