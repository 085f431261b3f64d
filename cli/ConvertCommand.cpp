#include "cli/ConvertCommand.h"

#include "core/reading/TextFile.h"
#include "core/report/ToernooiGrid.h"
#include "core/run/Conversion.h"
#include "core/run/ConversionRun.h"
#include "core/text/DecimalSeparator.h"
#include "core/text/Teksten.h"
#include "core/text/Version.h"
#include "core/tournament/CoreUI.h"
#include "table/CellTable.h"

#include <string_view>
#include <utility>

namespace {

constexpr const char* ProgramName = "morvelander-convert";

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
// many rows or columns at once could take more memory than the machine has. A few megabytes of
// input can stand for gigabytes of table text (a merged header row repeats its text in every
// column), so a table whose text would outgrow the largest report is not printed at all.
bool PrintTable(const TCellTable& table, std::ostream& out, std::ostream& err) {
  if (table.ClipboardSize(MaxReportSize) > MaxReportSize) {
    Complain(err, std::string(ProgramName) + ": the table to print would be larger than " +
                      std::to_string(SizeInMiB(MaxReportSize)) + " MiB; nothing printed");
    return false;
  }
  for (int row = 0; row < table.RowCount(); ++row) out << table.ClipboardRow(row);
  return true;
}

std::filesystem::path OutFolder(const std::filesystem::path& dir) {
  const std::filesystem::path full =
      dir.empty() ? std::filesystem::current_path() : std::filesystem::absolute(dir);
  return full.lexically_normal();
}

// The converter's run: the window's, with its tables printed instead of shown.
class TConverter : public TRunListener {
public:
  TConverter(const TConvertOptions& options, std::ostream& err)
      : FOptions(options), FErr(err),
        FConversion(
            FUI, {options.DecimalSeparator ? *options.DecimalSeparator : LocaleDecimalSeparator(),
                  options.Batch, options.Print == TPrintWhat::Input}) {}

  // Converts every file and writes its report; true when all could be.
  bool Run() {
    const TRunSummary summary =
        TConversionRun(FConversion, *this).Run(FOptions.Files, OutFolder(FOptions.OutDir));
    return summary.Made == summary.Total;
  }

  // A file that could not be read or whose report could not be written has the reason on
  // standard error, converted from the core's code page 1252 for the terminal.
  void FileEnded(const TConvertResult& result, std::size_t, std::size_t) override {
    FStatus = LoadStatusText(result.Load.Fouten, result.Load.Codering);
    if (!result.Done()) {
      Complain(FErr, ProblemText(result.Subject(), OneLine(result.Reason(Utf8Naming()))));
      return;
    }
    // Only --print report shows the report again; the next load replaces the lines anyway.
    if (FOptions.Print == TPrintWhat::Report)
      FLastReport = std::move(FConversion.Toernooi.ReportLines);
  }

  // False when the chosen text was too large to print.
  bool Print(std::ostream& out, std::ostream& err) const {
    switch (FOptions.Print) {
    case TPrintWhat::Errors:
      return PrintTable(FConversion.ErrorGrid, out, err);
    case TPrintWhat::Input:
      return PrintTable(FConversion.InputGrid, out, err);
    case TPrintWhat::Table:
      return PrintTable(FConversion.ToernooiGrid, out, err);
    case TPrintWhat::Report:
      for (const std::string& line : FLastReport) out << line << "\r\n";
      break;
    case TPrintWhat::Status:
      out << FStatus << '\n';
      break;
    case TPrintWhat::None:
      break;
    }
    return true;
  }

private:
  const TConvertOptions& FOptions;
  std::ostream& FErr;
  TCoreUI FUI;
  TConversion FConversion;
  // The status line of the last file's load.
  std::string FStatus;
  std::vector<std::string> FLastReport;
};

} // namespace

const char* const ConvertUsage =
    "Usage: morvelander-convert [OPTION]... FILE...\n"
    "Converts tournament result files (*.csv) into Fide2006 reports (*.txt).\n"
    "\n"
    "  --batch                  list only one summary row per file in the error list\n"
    "  --out DIR                folder for the reports (default: the current folder)\n"
    "  --decimal-separator C    decimal separator of points and the version: \",\" or\n"
    "                           \".\" (default: that of the user's locale)\n"
    "  --print WHAT             what goes to standard output after the last file:\n"
    "                           errors (the error list; the default), input or table\n"
    "                           (the last file's input or tournament table), report\n"
    "                           (the last report written), status (the last file's\n"
    "                           error count) or none\n"
    "  --help                   show this text\n"
    "  --version                show the version and its date\n"
    "\n"
    "Exit status: 0 when every FILE was converted, 1 when one could not be read, its\n"
    "report not written or the text to print was larger than 256 MiB, 2 for a wrong\n"
    "command line.\n";

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
      options.DecimalSeparator = DecimalSeparatorFrom(takeValue());
      if (!options.DecimalSeparator) throw TUsageError("--decimal-separator takes \",\" or \".\"");
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
  kept = std::make_unique<TConverter>(options, err);
  TConverter& converter = *kept;
  bool ok = converter.Run();
  if (!converter.Print(out, err)) ok = false;
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
