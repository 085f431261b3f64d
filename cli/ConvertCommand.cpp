#include "cli/ConvertCommand.h"

#include "core/CoreUI.h"
#include "core/Cp1252.h"
#include "core/ErrorList.h"
#include "core/FileIdentities.h"
#include "core/FileInUse.h"
#include "core/ReportFile.h"
#include "core/TextFile.h"
#include "core/Toernooi.h"
#include "core/ToernooiGrid.h"
#include "core/Version.h"
#include "table/CellTable.h"

#include <string_view>
#include <system_error>
#include <utility>

namespace {

constexpr const char* ProgramName = "morvelander-convert";

// Keeps what the load shows of itself: the error count of status panel 1, and how many
// messages it raised (a file held by another program is announced by one).
class TConsoleUI : public TCoreUI {
public:
  void SetStatusText(int panel, const std::string& text) override {
    if (panel == 1) FStatus = text;
  }
  void ShowMessage(const std::string& /*text*/) override { ++FMessageCount; }

  const std::string& Status() const { return FStatus; }
  int MessageCount() const { return FMessageCount; }

private:
  std::string FStatus;
  int FMessageCount = 0;
};

struct TPrintName {
  const char* Name;
  TPrintWhat What;
};

constexpr TPrintName PrintNames[] = {
    {"errors", TPrintWhat::Errors}, {"input", TPrintWhat::Input},   {"table", TPrintWhat::Table},
    {"report", TPrintWhat::Report}, {"status", TPrintWhat::Status}, {"none", TPrintWhat::None},
};

TPrintWhat ParsePrint(const std::string& value) {
  for (const TPrintName& p : PrintNames) {
    if (value == p.Name) return p.What;
  }
  throw TUsageError("unknown --print value '" + value + "'");
}

std::string UnreadReason(const std::filesystem::path& file, bool announced) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return "file not found";
  if (const std::uintmax_t size = std::filesystem::file_size(file, ec);
      !ec && size > MaxTextFileSize)
    return "file is too large (" + std::to_string(SizeInMiB(size)) + " MiB; the limit is " +
           std::to_string(SizeInMiB(MaxTextFileSize)) + " MiB)";
  if (announced) return "file is in use by another program";
  return "file is empty";
}

// Control characters of file names are shown as \xHH, so that a name cannot move the cursor
// or hide itself on the user's terminal.
std::string EscapeControls(std::string_view text) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      escaped += c;
      continue;
    }
    escaped += "\\x";
    escaped += Hex[byte >> 4];
    escaped += Hex[byte & 0xF];
  }
  return escaped;
}

// One problem on standard error, as one line.
void Complain(std::ostream& err, std::string_view text) {
  err << EscapeControls(text) << '\n';
}

std::string ProblemText(const std::filesystem::path& file, std::string_view reason) {
  return std::string(ProgramName) + ": " + file.native() + ": " + std::string(reason);
}

// A table as the clipboard would receive it, written row by row: the whole text of a table of
// many rows or columns at once could take more memory than the machine has.
void PrintTable(const TCellTable& table, std::ostream& out) {
  for (int row = 0; row < table.RowCount(); ++row) out << table.ClipboardRow(row);
}

std::filesystem::path OutFolder(const std::filesystem::path& dir) {
  const std::filesystem::path full =
      dir.empty() ? std::filesystem::current_path() : std::filesystem::absolute(dir);
  return full.lexically_normal();
}

// The tables and the tournament of one run, as the window holds them.
class TConverter {
public:
  explicit TConverter(const TConvertOptions& options)
      : FOptions(options), FToernooi(FErrorGrid, FUI), FOutDir(OutFolder(options.OutDir)) {
    FToernooi.DecimalSeparator =
        options.DecimalSeparator ? *options.DecimalSeparator : LocaleDecimalSeparator();
    FToernooi.FitErrorGrid = false;
    FToernooi.FillInputGrid = options.Print == TPrintWhat::Input;
    ClearErrorGrid(FErrorGrid);
  }

  // Loads one file and writes its report; false when either could not be done. Diagnostics
  // go to a terminal, so the core's code-page-1252 texts are converted for it. No report
  // takes the place of an input of the run or of a report written earlier in the run.
  bool Convert(const std::filesystem::path& file, std::ostream& err) {
    const std::filesystem::path target = FOutDir / ReportFileName(file.filename());
    if (const std::filesystem::path* input = FInputs.Find(target)) {
      Complain(err, ProblemText(file, WouldReplaceInput(target, file)
                                          ? "the report would replace the input file"
                                          : "the report " + target.native() +
                                                " would replace the input file " + input->native() +
                                                " of this run"));
      return false;
    }
    if (const std::filesystem::path* other = FWritten.Find(target)) {
      Complain(err, ProblemText(file, "report " + target.native() + " was already written for " +
                                          other->native() + " in this run"));
      return false;
    }

    ClearToernooiGrid(FToernooiGrid);
    const int messages = FUI.MessageCount();
    try {
      FToernooi.LoadFile(file, FInputGrid, FOptions.Batch);
    } catch (const std::exception& e) {
      Complain(err, ProblemText(file, Cp1252ToUtf8(e.what())));
      return false;
    }
    if (FToernooi.RegelCount() == 0) {
      Complain(err, ProblemText(file, UnreadReason(file, FUI.MessageCount() != messages)));
      return false;
    }
    try {
      FillToernooiGrid(FToernooi, FToernooiGrid);
    } catch (const TReportTooLarge& e) {
      Complain(err, ProblemText(file, e.what()));
      return false;
    }

    if (IsFileInUse(target)) {
      Complain(err, target.native() + ": Wordt reeds gebruikt. Geen bestand gemaakt.");
      return false;
    }
    try {
      WriteReportFile(target, FToernooi.ReportLines);
    } catch (const std::exception& e) {
      Complain(err, std::string(ProgramName) + ": " + Cp1252ToUtf8(e.what()));
      return false;
    }
    FWritten.Add(target, file);
    // Only --print report shows the report again; the next load replaces the lines anyway.
    if (FOptions.Print == TPrintWhat::Report) FLastReport = std::move(FToernooi.ReportLines);
    return true;
  }

  // Notes the inputs of the run before the first report is written.
  void AddInputs(const std::vector<std::filesystem::path>& files) {
    for (const std::filesystem::path& file : files) FInputs.Add(file, file);
  }

  // The error table is measured once for the whole run, not after every file.
  void FinishRun() { FErrorGrid.FitColumnWidths(true, 1); }

  void Print(std::ostream& out) const {
    switch (FOptions.Print) {
    case TPrintWhat::Errors:
      PrintTable(FErrorGrid, out);
      break;
    case TPrintWhat::Input:
      PrintTable(FInputGrid, out);
      break;
    case TPrintWhat::Table:
      PrintTable(FToernooiGrid, out);
      break;
    case TPrintWhat::Report:
      for (const std::string& line : FLastReport) out << line << "\r\n";
      break;
    case TPrintWhat::Status:
      out << FUI.Status() << '\n';
      break;
    case TPrintWhat::None:
      break;
    }
  }

private:
  const TConvertOptions& FOptions;
  TCellTable FErrorGrid{5, 5, 1, 1};
  TCellTable FInputGrid{5, 5, 1, 0};
  TCellTable FToernooiGrid{5, 5, 1, 1};
  TConsoleUI FUI;
  TToernooi FToernooi;
  std::filesystem::path FOutDir;
  std::vector<std::string> FLastReport;
  TFileIdentities FInputs;
  TFileIdentities FWritten;
};

} // namespace

const char* const ConvertUsage =
    "Usage: morvelander-convert [OPTION]... FILE...\n"
    "Converts tournament result files (*.csv) into Fide2006 reports (*.txt).\n"
    "\n"
    "  --batch                  list only one summary row per file in the error list\n"
    "  --out DIR                folder for the reports (default: the current folder)\n"
    "  --decimal-separator C    decimal separator of points and the version\n"
    "                           (default: that of the user's locale)\n"
    "  --print WHAT             what goes to standard output after the last file:\n"
    "                           errors (the error list; the default), input or table\n"
    "                           (the last file's input or tournament table), report\n"
    "                           (the last report written), status (the last file's\n"
    "                           error count) or none\n"
    "  --help                   show this text\n"
    "  --version                show the version and its date\n"
    "\n"
    "Exit status: 0 when every FILE was converted, 1 when one could not be read or its\n"
    "report not written, 2 for a wrong command line.\n";

std::string ConvertVersion() {
  return std::string(ProgramName) + " " + VersionText('.') +
         "\nCopyright (c) 2026 The Morvelander developers.\n"
         "Free software under the MIT License; there is NO WARRANTY.\n";
}

TConvertOptions ParseConvertArgs(const std::vector<std::string>& args) {
  TConvertOptions options;
  bool onlyFiles = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyFiles || arg.size() < 2 || arg[0] != '-') {
      options.Files.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyFiles = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    const auto takeValue = [&]() -> std::string {
      if (value) return *value;
      if (i + 1 >= args.size()) throw TUsageError("option " + name + " needs a value");
      return args[++i];
    };
    if (name == "--batch" && !value) {
      options.Batch = true;
    } else if (name == "--help" && !value) {
      options.Help = true;
    } else if (name == "--version" && !value) {
      options.Version = true;
    } else if (name == "--out") {
      options.OutDir = takeValue();
    } else if (name == "--decimal-separator") {
      const std::string sep = takeValue();
      if (sep.size() != 1) throw TUsageError("--decimal-separator takes one character");
      options.DecimalSeparator = sep[0];
    } else if (name == "--print") {
      options.Print = ParsePrint(takeValue());
    } else {
      throw TUsageError("unknown option " + arg);
    }
  }
  if (!options.Help && !options.Version && options.Files.empty())
    throw TUsageError("no FILE given");
  return options;
}

int RunConvert(const TConvertOptions& options, std::ostream& out, std::ostream& err) {
  // The tables of a large file are a great many small blocks, and the command ends soon after
  // this: main leaves the process without taking them apart one by one.
  static std::unique_ptr<TConverter> kept;
  kept = std::make_unique<TConverter>(options);
  TConverter& converter = *kept;
  converter.AddInputs(options.Files);
  bool ok = true;
  for (const std::filesystem::path& file : options.Files) {
    if (!converter.Convert(file, err)) ok = false;
  }
  converter.FinishRun();
  converter.Print(out);
  out.flush();
  return ok ? 0 : 1;
}

int ConvertMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TConvertOptions options;
  try {
    options = ParseConvertArgs(args);
  } catch (const TUsageError& e) {
    Complain(err, std::string(ProgramName) + ": " + e.what());
    err << ConvertUsage;
    return 2;
  }
  if (options.Help) {
    out << ConvertUsage;
    return 0;
  }
  if (options.Version) {
    out << ConvertVersion();
    return 0;
  }
  return RunConvert(options, out, err);
}
