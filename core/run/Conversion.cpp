#include "core/run/Conversion.h"

#include "core/reading/FileInUse.h"
#include "core/report/ReportFile.h"
#include "core/report/ToernooiGrid.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"
#include "core/tournament/ErrorList.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Why the target cannot be replaced, or Done when it can.
TConvertOutcome HeldOutcome(const fs::path& target) {
  switch (TargetHold(target)) {
  case TTargetHold::Free:
    break;
  case TTargetHold::Denied:
    return TConvertOutcome::TargetDenied;
  case TTargetHold::InUse:
    return TConvertOutcome::TargetInUse;
  }
  return TConvertOutcome::Done;
}

} // namespace

TConversion::TConversion(TCoreUI& ui, const TConvertSettings& settings)
    : InputGrid(5, 5, 1, 0), ToernooiGrid(5, 5, 1, 1), ErrorGrid(5, 5, 1, 1), Fouten(ErrorGrid),
      Toernooi(Fouten, ui), FUI(ui), FBatch(settings.Batch), FShowsInput(settings.FillInputGrid),
      FReportKey([](const std::string& name) { return name; }) {
  Toernooi.DecimalSeparator = settings.DecimalSeparator;
  Toernooi.FillInputGrid = settings.FillInputGrid;
  ToernooiGrid.OnGetAlignment = ToernooiGridGetAlignment;
  ErrorGrid.OnGetAlignment = ErrorGridGetAlignment;
  FLast.Outcome = TConvertOutcome::NothingToSave;
}

void TConversion::StartView() {
  Toernooi.FillInputGrid = FShowsInput;
  Toernooi.KeepRegels = false;
}

void TConversion::ClearTables() {
  ClearToernooiGrid(ToernooiGrid);
  ClearErrors();
}

void TConversion::ClearErrors() {
  Fouten.Clear();
  FRefusedRows.clear();
}

const TConvertResult& TConversion::Last(const TConvertResult& result) {
  FLast = result;
  return result;
}

bool TConversion::Fill(TConvertResult& result) {
  FHasReport = false;
  std::string teGroot = FillToernooiGrid(Toernooi, ToernooiGrid);
  if (!teGroot.empty()) {
    result.Outcome = TConvertOutcome::ReportTooLarge;
    result.Detail = std::move(teGroot);
    return false;
  }
  FHasReport = true;
  return true;
}

TConvertResult TConversion::Open(const fs::path& path) {
  StartView();
  ClearTables();
  FHasReport = false;
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    TConvertResult result;
    result.Input = path;
    result.Outcome = TConvertOutcome::NotRead;
    result.Load.Outcome = TLoadOutcome::Missing;
    return Last(result);
  }
  Toernooi.FitErrorGrid = true;
  return Shown(path, Toernooi.LoadFile(path, InputGrid, false));
}

TConvertResult TConversion::OpenBytes(const fs::path& path, std::string bytes) {
  StartView();
  ClearTables();
  Toernooi.FitErrorGrid = true;
  const TLoadResult load = Toernooi.LoadBytes(path, bytes, InputGrid, false);
  std::string().swap(bytes);
  return Shown(path, load);
}

TConvertResult TConversion::OpenUnread(const fs::path& path, TLoadOutcome why) {
  StartView();
  ClearTables();
  Toernooi.FitErrorGrid = true;
  return Last(Unread(path, why, false));
}

TConvertResult TConversion::Shown(const fs::path& path, const TLoadResult& load) {
  // Fitting a large table takes long too; a stop asked for meanwhile still leaves nothing.
  if (load.Read() && FUI.StopRequested()) {
    Toernooi.Discard(InputGrid);
    return Filled(path, {TLoadOutcome::Stopped, load.Size});
  }
  InputGrid.FitColumnWidths(true, 1);
  return Last(Filled(path, load));
}

// The reader's own empty load stands for the file, so that the tables end as they would for a
// file that gave no lines.
TConvertResult TConversion::Unread(const fs::path& path, TLoadOutcome why, bool batch) {
  TLoadResult load = Toernooi.LoadBytes(path, {}, InputGrid, batch);
  load.Outcome = why;
  return Filled(path, load);
}

fs::path TConversion::ReportTarget(const fs::path& outDir) const {
  return outDir / ReportFileName(Toernooi.SourcePath().filename());
}

std::string TConversion::ReportName() const {
  return ReportFileName(Toernooi.SourcePath().filename()).string();
}

TConvertResult TConversion::CanSave() const {
  TConvertResult result;
  result.Input = FLast.Input;
  if (FHasReport && FLast.Load.Read()) return result;
  result.Outcome = TConvertOutcome::NothingToSave;
  result.Load = FLast.Load;
  result.Detail = FLast.Detail;
  return result;
}

TConvertResult TConversion::Save(const fs::path& target, const std::function<bool()>& confirm) {
  TConvertResult result = CanSave();
  if (!result.Done()) return result;
  result.Input = Toernooi.SourcePath();
  result.Target = target;
  if (WouldReplaceInput(target, result.Input)) {
    result.Outcome = TConvertOutcome::WouldReplaceInput;
  } else if (!confirm()) {
    result.Outcome = TConvertOutcome::Declined;
  } else if (const TConvertOutcome held = HeldOutcome(target); held != TConvertOutcome::Done) {
    result.Outcome = held;
  } else if (const std::error_code ec = WriteReportFile(target, Toernooi.ReportLines)) {
    result.Outcome = TConvertOutcome::WriteFailed;
    result.Error = ec;
  }
  return result;
}

void TConversion::StartRun(const std::vector<fs::path>& inputs) {
  FInputs = {};
  FWritten = {};
  FNamesWritten.clear();
  for (const fs::path& input : inputs) FInputs.Add(input, input);
  ClearErrors();
  // The error list is fitted once, when the run ends, and the input table, which no file of the
  // run shows, is drawn then from the last file's lines.
  Toernooi.FitErrorGrid = false;
  Toernooi.FillInputGrid = false;
  Toernooi.KeepRegels = FShowsInput;
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
  if (!result.Done()) return Last(result);
  if (const fs::path* other = FInputs.Find(result.Target)) {
    result.Outcome = TConvertOutcome::WouldReplaceInput;
    if (!WouldReplaceInput(result.Target, input)) result.Other = *other;
  } else if (const fs::path* earlier = FWritten.Find(result.Target)) {
    result.Outcome = TConvertOutcome::AlreadyWritten;
    result.Other = *earlier;
  } else if (const TConvertOutcome held = HeldOutcome(result.Target);
             held != TConvertOutcome::Done) {
    result.Outcome = held;
  } else if (const std::error_code ec = WriteReportFile(result.Target, Toernooi.ReportLines)) {
    result.Outcome = TConvertOutcome::WriteFailed;
    result.Error = ec;
  } else {
    FWritten.Add(result.Target, input);
  }
  return Last(result);
}

TConvertResult TConversion::ConvertBytes(const fs::path& input, std::string bytes) {
  const TLoadResult load = Toernooi.LoadBytes(input, bytes, InputGrid, FBatch);
  std::string().swap(bytes);
  TConvertResult result = Filled(input, load);
  result.Target = ReportName();
  if (!result.Done()) return Last(result);
  const auto [earlier, added] = FNamesWritten.emplace(FReportKey(result.Target.string()), input);
  if (!added) {
    result.Outcome = TConvertOutcome::AlreadyWritten;
    result.Other = earlier->second;
  }
  return Last(result);
}

TConvertResult TConversion::ConvertUnread(const fs::path& input, TLoadOutcome why) {
  return Last(Unread(input, why, FBatch));
}

TConvertResult TConversion::NotWritten(const fs::path& input, const fs::path& target,
                                       std::error_code error) {
  const auto named = FNamesWritten.find(FReportKey(ReportFileName(input.filename()).string()));
  if (named != FNamesWritten.end() && named->second == input) FNamesWritten.erase(named);
  TConvertResult result = FLast;
  result.Input = input;
  result.Target = target;
  result.Outcome = TConvertOutcome::WriteFailed;
  result.Error = error;
  return Last(result);
}

namespace {

// What a refused file's summary row says after its name: the report when that could not be
// written (as its message names it), and why, on one line.
std::string RefusalText(const TConvertResult& result, const TMessageNaming& naming) {
  std::string text;
  if (&result.Subject() == &result.Target) text += naming.Path(result.Target) + naming.Text(" ");
  return text + OneLine(result.Reason(naming));
}

} // namespace

void TConversion::ListRefused(const TConvertResult& result) {
  if (result.Done() || result.Outcome == TConvertOutcome::Declined) return;
  const std::string text = " " + RefusalText(result, Cp1252Naming());
  if (result.Outcome != TConvertOutcome::NotRead) {
    // A file that was read but gave no report: its summary row says why, so that it does not
    // read as a success.
    const std::optional<int> last = Fouten.LastBestandRow();
    if (last && Fouten.Rij(*last)->Bestand == result.Input) {
      Fouten.SetNaNaam(*last, text);
      FRefusedRows[*last] = result;
    }
    return;
  }
  // A file that gave no lines has no findings to count.
  Fouten.Add({TFoutSoort::Bestand, {}, 0, result.Input, text, std::nullopt});
  if (const std::optional<int> row = Fouten.LastBestandRow()) FRefusedRows[*row] = result;
}

void TConversion::FinishRun() {
  ErrorGrid.FitColumnWidths(true, 1);
  Toernooi.DrawInputGrid(InputGrid);
}

const fs::path* TConversion::SummaryFile(int row) const {
  const TFoutRij* rij = Fouten.Rij(row);
  return rij && rij->Soort == TFoutSoort::Bestand ? &rij->Bestand : nullptr;
}

std::optional<int> TConversion::SummaryRow(const fs::path& input) const {
  return Fouten.LastBestandRow(input);
}

std::optional<int> TConversion::FindingRow(int row) const {
  const TFoutRij* rij = Fouten.Rij(row);
  if (!rij || rij->Soort != TFoutSoort::Bevinding) return {};
  const std::optional<int> input = Toernooi.InputRow(rij->Bevinding.Regel);
  if (!input || *input >= InputGrid.RowCount()) return {};
  return input;
}

std::string TConversion::ErrorCell(int col, int row, const TMessageNaming& naming) const {
  const TFoutRij* rij = Fouten.Rij(row);
  if (col == 2 && rij && rij->Soort == TFoutSoort::Bestand) {
    // A refusal names its report as the front end names paths, not only the file.
    if (const auto refused = FRefusedRows.find(row); refused != FRefusedRows.end())
      return naming.Name(rij->Bestand) + naming.Text(" ") + RefusalText(refused->second, naming);
    return naming.Name(rij->Bestand) + naming.Text(rij->NaNaam);
  }
  return naming.Text(ErrorGrid.GetCell(col, row));
}

std::string TConversion::ErrorText(int left, int top, int right, int bottom,
                                   const TMessageNaming& naming) const {
  std::string out;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) out += '\t';
      TCellTable::AppendClipboardCell(out, ErrorCell(c, r, naming));
    }
    if (bottom > top) out += "\r\n";
  }
  return out;
}

std::string TConversion::ErrorText(const TMessageNaming& naming) const {
  return ErrorText(0, 0, ErrorGrid.ColCount() - 1, ErrorGrid.RowCount() - 1, naming);
}
