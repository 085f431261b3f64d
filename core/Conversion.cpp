#include "core/Conversion.h"

#include "core/Cp1252.h"
#include "core/ErrorList.h"
#include "core/FileInUse.h"
#include "core/ReportFile.h"
#include "core/ToernooiGrid.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const NoFileMade = "\rGeen bestand gemaakt.";

} // namespace

const TMessageNaming& Cp1252Naming() {
  static const TMessageNaming naming{[](std::string_view text) { return std::string(text); },
                                     FileNameText, PathText};
  return naming;
}

bool TConvertResult::Told() const {
  switch (Outcome) {
  case TConvertOutcome::Done:
  case TConvertOutcome::Declined:
    return false;
  case TConvertOutcome::NotRead:
    return Load.Outcome != TLoadOutcome::Missing && Load.Outcome != TLoadOutcome::Empty &&
           Load.Outcome != TLoadOutcome::Stopped;
  default:
    return true;
  }
}

const fs::path& TConvertResult::Subject() const {
  return Outcome == TConvertOutcome::TargetInUse ? Target : Input;
}

std::string TConvertResult::Reason(const TMessageNaming& naming) const {
  const auto& text = naming.Text;
  switch (Outcome) {
  case TConvertOutcome::Done:
  case TConvertOutcome::Declined:
    return {};
  case TConvertOutcome::NotRead:
    return text(LoadOutcomeText(Load));
  case TConvertOutcome::ReportTooLarge:
    return text(Detail + ".");
  case TConvertOutcome::WouldReplaceInput:
    return text("Het rapport ") + naming.Path(Target) + text("\rzou het invoerbestand ") +
           (Other.empty() ? std::string() : naming.Path(Other) + text(" van deze opdracht ")) +
           text(std::string("vervangen.") + NoFileMade);
  case TConvertOutcome::AlreadyWritten:
    return text("Het rapport ") + naming.Path(Target) +
           text("\ris in deze opdracht al gemaakt voor ") + naming.Name(Other) +
           text(std::string(".") + NoFileMade);
  case TConvertOutcome::TargetInUse:
    return text(std::string("Wordt reeds gebruikt.") + NoFileMade);
  }
  return {};
}

std::string TConvertResult::Text(const TMessageNaming& naming) const {
  if (Outcome == TConvertOutcome::TargetInUse)
    return naming.Path(Target) + naming.Text("\r") + Reason(naming);
  return naming.Name(Input) + naming.Text("\r\r") + Reason(naming);
}

TConversion::TConversion(TCoreUI& ui, char decimalSeparator)
    : InputGrid(5, 5, 1, 0), ToernooiGrid(5, 5, 1, 1), ErrorGrid(5, 5, 1, 1),
      Toernooi(ErrorGrid, ui), FUI(ui) {
  Toernooi.DecimalSeparator = decimalSeparator;
  ToernooiGrid.OnGetAlignment = ToernooiGridGetAlignment;
  ErrorGrid.OnGetAlignment = ErrorGridGetAlignment;
}

void TConversion::ClearTables() {
  ClearToernooiGrid(ToernooiGrid);
  ClearErrorGrid(ErrorGrid);
}

const TConvertResult& TConversion::Tell(const TConvertResult& result) {
  if (result.Told()) FUI.ShowMessage(result.Text(Naming));
  return result;
}

bool TConversion::Fill(TConvertResult& result) {
  FHasReport = false;
  try {
    FillToernooiGrid(Toernooi, ToernooiGrid);
  } catch (const TReportTooLarge& e) {
    result.Outcome = TConvertOutcome::ReportTooLarge;
    result.Detail = e.what();
    return false;
  }
  FHasReport = true;
  return true;
}

TConvertResult TConversion::Open(const fs::path& path) {
  ClearTables();
  FHasReport = false;
  TConvertResult result;
  result.Input = path;
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    result.Outcome = TConvertOutcome::NotRead;
    result.Load.Outcome = TLoadOutcome::Missing;
    return result;
  }
  return Shown(path, Toernooi.LoadFile(path, InputGrid, false));
}

TConvertResult TConversion::OpenBytes(const fs::path& path, std::string bytes) {
  ClearTables();
  const TLoadResult load = Toernooi.LoadBytes(path, bytes, InputGrid, false);
  std::string().swap(bytes);
  return Shown(path, load);
}

TConvertResult TConversion::Shown(const fs::path& path, const TLoadResult& load) {
  // Fitting a large table takes long too; a stop asked for meanwhile still leaves nothing.
  if (load.Read() && FUI.StopRequested()) {
    Toernooi.Clear();
    InputGrid.ClearCells();
    InputGrid.SetRowCount(1);
    return Filled(path, {TLoadOutcome::Stopped, load.Size});
  }
  InputGrid.FitColumnWidths(true, 1);
  return Tell(Filled(path, load));
}

fs::path TConversion::ReportTarget(const fs::path& outDir) const {
  return outDir / ReportFileName(Toernooi.SourcePath().filename());
}

std::string TConversion::ReportName() const {
  return ReportFileName(Toernooi.SourcePath().filename()).string();
}

TConvertResult TConversion::Save(const fs::path& target, const std::function<bool()>& confirm) {
  TConvertResult result;
  result.Input = Toernooi.SourcePath();
  result.Target = target;
  if (WouldReplaceInput(target, result.Input)) {
    result.Outcome = TConvertOutcome::WouldReplaceInput;
    return Tell(result);
  }
  if (!confirm()) {
    result.Outcome = TConvertOutcome::Declined;
    return result;
  }
  if (IsFileInUse(target)) {
    result.Outcome = TConvertOutcome::TargetInUse;
    return Tell(result);
  }
  WriteReportFile(target, Toernooi.ReportLines);
  return result;
}

void TConversion::StartRun(const std::vector<fs::path>& inputs, bool batch) {
  FBatch = batch;
  FInputs = {};
  FWritten = {};
  FNamesWritten.clear();
  for (const fs::path& input : inputs) FInputs.Add(input, input);
  ClearErrorGrid(ErrorGrid);
}

TConvertResult TConversion::Filled(const fs::path& input, const TLoadResult& load) {
  TConvertResult result;
  result.Input = input;
  result.Load = load;
  // The user who stopped a load asked for nothing to show.
  if (load.Outcome == TLoadOutcome::Stopped) {
    ClearTables();
    FHasReport = false;
    result.Outcome = TConvertOutcome::NotRead;
    return result;
  }
  // The table shows even a file that gave no lines, but a run writes no report of it: it would
  // replace an older, complete report with an empty one.
  if (Fill(result) && !load.Read()) result.Outcome = TConvertOutcome::NotRead;
  return result;
}

TConvertResult TConversion::ConvertFile(const fs::path& input, const fs::path& outDir) {
  TConvertResult result = Filled(input, Toernooi.LoadFile(input, InputGrid, FBatch));
  result.Target = outDir / ReportFileName(input.filename());
  if (!result.Done()) return Tell(result);
  if (const fs::path* other = FInputs.Find(result.Target)) {
    result.Outcome = TConvertOutcome::WouldReplaceInput;
    if (!WouldReplaceInput(result.Target, input)) result.Other = *other;
  } else if (const fs::path* earlier = FWritten.Find(result.Target)) {
    result.Outcome = TConvertOutcome::AlreadyWritten;
    result.Other = *earlier;
  } else if (IsFileInUse(result.Target)) {
    result.Outcome = TConvertOutcome::TargetInUse;
  } else {
    WriteReportFile(result.Target, Toernooi.ReportLines);
    FWritten.Add(result.Target, input);
  }
  return Tell(result);
}

TConvertResult TConversion::ConvertBytes(const fs::path& input, std::string bytes) {
  const TLoadResult load = Toernooi.LoadBytes(input, bytes, InputGrid, FBatch);
  std::string().swap(bytes);
  TConvertResult result = Filled(input, load);
  result.Target = ReportName();
  if (!result.Done()) return Tell(result);
  const auto [earlier, added] = FNamesWritten.emplace(result.Target.string(), input);
  if (!added) {
    result.Outcome = TConvertOutcome::AlreadyWritten;
    result.Other = earlier->second;
  }
  return Tell(result);
}

void TConversion::FinishRun() {
  ErrorGrid.FitColumnWidths(true, 1);
}
