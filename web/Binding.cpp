// The page's window over the core: the three tables, the tournament and the status line, with
// the commands the window runs on them. Texts cross to the page as UTF-8, bytes as arrays.
#include "core/report/ReportFile.h"
#include "core/run/Conversion.h"
#include "core/run/RunSteps.h"
#include "core/text/Cp1252.h"
#include "core/text/DecimalSeparator.h"
#include "core/text/ErrorBoxText.h"
#include "core/text/InvoerBestand.h"
#include "core/text/TekstTabel.h"
#include "core/text/Teksten.h"
#include "core/text/TextCase.h"
#include "core/tournament/CoreUI.h"
#include "table/CellTable.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <numeric>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

using emscripten::val;

namespace {

// What a command left for the page to show.
struct TWebResult {
  std::string Naam;
  std::string Status;
  // What the page tells the user of the command's outcome: none or one plain message.
  val Messages = val::array();
  // The error box's text when the command failed; empty when it ran to its end.
  std::string Failure;
  int RegelCount = 0;
  // A file of a run: whether its report is made and belongs to the run's reports.
  bool Report = false;
  // A file of a run: the error list's row that is its summary, or -1.
  int SummaryRow = -1;
  // A file of a run: its place in the run's files, counted from 0; -1 for any other result.
  int File = -1;
  // A file of a run whose report the page is to keep (ReportName, ReportBytes) before it tells
  // the core how that went (RunStored).
  bool Store = false;
};

// A fresh core: the caption, the decimal separator it took, and the extension of the files it
// converts.
struct TWebStart {
  std::string Caption;
  std::string Separator;
  std::string Extension;
};

// The report of the file last opened, or why there is none to save.
struct TWebReport {
  std::string Refusal;
  std::string Name;
  val Bytes = val::null();
};

// A table's shape: counts, header counts, and the left edge of every BlockCols-th column, as
// a typed array: a line may have millions of fields, whose widths the page asks for only
// where it shows them.
struct TWebTable {
  int ColCount = 0;
  int RowCount = 0;
  int FixedCols = 0;
  int FixedRows = 0;
  int BlockCols = 0;
  val BlockEdges = val::null();
};

// A block of rows, row by row and column by column: the texts, the cell colours as 0xRRGGBB
// (-1 for none) and the spans (the columns a merged range covers, 0 for a cell it hides).
struct TWebRows {
  val Texts = val::array();
  val Colors = val::array();
  val Spans = val::array();
};

// A report's name as the disks of Windows and macOS compare names: without regard to case,
// after Unicode normalisation. The zip of a run is unpacked on such disks, and a folder may be
// one.
std::string ReportKey(const std::string& name) {
  return val(name)
      .call<val>("normalize", std::string("NFC"))
      .call<val>("toLowerCase")
      .call<std::string>("normalize", std::string("NFC"));
}

// The most bytes of one text the page is handed to show; a cell or a status text of megabytes
// would take the page seconds to lay out. The page shows what fits and the rest on request (a
// tooltip); a copy takes the whole text from the core.
constexpr std::size_t ShownBytes = 10000;

// The text cut to what the page is handed, in UTF-8, an ellipsis where it was cut.
std::string ShownCp1252(std::string_view text) {
  if (text.size() <= ShownBytes) return Cp1252ToUtf8(text);
  return Cp1252ToUtf8(std::string(text.substr(0, ShownBytes)) + '\x85');
}

// The same for a text in UTF-8, cut between two characters.
std::string ShownUtf8(std::string text) {
  if (text.size() <= ShownBytes) return text;
  std::size_t end = ShownBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text + "\xE2\x80\xA6";
}

// The catalogue's words that compose makes around a name, in UTF-8 with the name as it is: the
// words are code page 1252 and the name is not, so a mark that neither holds stands for the
// name until the words are converted.
std::string WithName(const std::function<std::string(std::string_view)>& compose,
                     const std::string& name) {
  const std::string mark = "\x01";
  std::string text = Cp1252ToUtf8(compose(mark));
  if (const std::size_t at = text.find(mark); at != std::string::npos)
    text.replace(at, mark.size(), name);
  return text;
}

// How the page names files: as they are, in UTF-8, and a second listed file of a name, which
// the page hands over under a folder of its number, with that number after its name.
const TMessageNaming& PageNaming() {
  static const TMessageNaming naming{Utf8Naming().Text,
                                     [](const std::filesystem::path& path) {
                                       const std::string name = path.filename().string();
                                       return path.has_parent_path()
                                                  ? FillIn(Cp1252ToUtf8(Tekst::Volgnummer), name,
                                                           path.parent_path().string())
                                                  : name;
                                     },
                                     Utf8Naming().Path};
  return naming;
}

// The conversion of the page, with the window's tables.
struct TWebForm {
  TCoreUI UI;
  TConversion Conversion;
  // The status line: the tournament's name, and what its load counted.
  std::string Naam;
  std::string Status;
  std::array<int, 256> BodyWidths{};
  std::array<int, 256> HeaderWidths{};
  // The run of "Alle" going on, its file whose report the page is keeping, and the failure that
  // ended it, if one did.
  std::optional<TRunSteps> Steps;
  // The name of the file an open is loading, as the progress names it; empty in a run, which
  // counts its files instead.
  std::string Loading;
  TConvertResult Keeping;
  std::string RunFailure;

  explicit TWebForm(char decimalSeparator) : Conversion(UI, {decimalSeparator, true, true}) {
    Conversion.SetReportKey(ReportKey);
    Conversion.ClearTables();
  }
};

std::optional<TWebForm>& Started() {
  static std::optional<TWebForm> form;
  return form;
}

// The page's form; Start makes it.
TWebForm& Form() {
  return Started().value();
}

// Why the browser could not read a file or write one, by the name of its DOMException;
// "Changed" when the browser's copy of the file as it was picked no longer reads.
TLoadOutcome ReadFailure(const std::string& error) {
  if (error == "Changed") return TLoadOutcome::Changed;
  // A handle of a file whose place a folder has taken.
  if (error == "TypeMismatchError") return TLoadOutcome::NotAFile;
  return error == "NotFoundError" ? TLoadOutcome::Missing : TLoadOutcome::Unreadable;
}

std::error_code WriteFailure(const std::string& error) {
  if (error == "NotAllowedError" || error == "SecurityError")
    return std::make_error_code(std::errc::permission_denied);
  if (error == "TypeMismatchError" || error == "InvalidModificationError")
    return std::make_error_code(std::errc::is_a_directory);
  if (error == "QuotaExceededError") return std::make_error_code(std::errc::no_space_on_device);
  if (error == "NotFoundError") return std::make_error_code(std::errc::no_such_file_or_directory);
  if (error == "NoModificationAllowedError")
    return std::make_error_code(std::errc::read_only_file_system);
  return std::make_error_code(std::errc::io_error);
}

TCellTable& Grid(int which) {
  switch (which) {
  case 0:
    return Form().Conversion.InputGrid;
  case 1:
    return Form().Conversion.ToernooiGrid;
  default:
    return Form().Conversion.ErrorGrid;
  }
}

// Runs one step of a command, which fills in its outcome; a failure ends it with the error
// box's text.
template <typename F> TWebResult Run(F&& step) {
  TWebForm& form = Form();
  TWebResult result;
  try {
    step(form, result);
  } catch (const std::exception& e) {
    // What no user can cause still says in Dutch that the command broke off.
    result.Failure =
        Cp1252ToUtf8(std::string(Tekst::OpdrachtAfgebroken) + "\r" + ErrorBoxText(e.what()));
  }
  form.Loading.clear();
  result.Naam = ShownCp1252(form.Naam);
  result.Status = ShownCp1252(form.Status);
  result.RegelCount = form.Conversion.Toernooi.RegelCount();
  return result;
}

// The status line after a load, as the window's.
void ShowLoad(TWebForm& form, const TLoadResult& load) {
  // The page is handed no more of it, and a name of megabytes is not kept twice.
  form.Naam = load.Naam.substr(0, ShownBytes + 1);
  form.Status = LoadStatusText(load.Fouten, load.Codering);
}

// An open that gives no report always says why, an empty file or one gone too: the page has
// no folder list that shows the user what is there.
void TellOpen(TWebResult& web, const TConvertResult& result) {
  if (!result.Done()) web.Messages.call<void>("push", result.Text(PageNaming()));
}

} // namespace

// The page's start-up with the decimal separator the user chose, or else that of the user's
// languages: the core takes it when it is one it knows.
TWebStart Start(const std::string& decimalSeparator) {
  const char separator = DecimalSeparatorFrom(decimalSeparator).value_or('.');
  Started().emplace(separator);
  return {Cp1252ToUtf8(CaptionText(separator)), std::string(1, separator),
          std::string(InvoerExtensie)};
}

// The whole catalogue in UTF-8, by id; %1 and %2 take numbers or names.
val Texts() {
  val texts = val::object();
  for (const TTekstEntry& entry : TekstTabel()) texts.set(entry.Id, Cp1252ToUtf8(entry.Text));
  return texts;
}

// The advance of each code page 1252 character in the body and the header font, as the page
// draws them; the tables fit their columns with these.
void SetFontWidths(const val& body, const val& header) {
  TWebForm& form = Form();
  for (std::size_t c = 0; c < 256; ++c) {
    form.BodyWidths[c] = body[c].as<int>();
    form.HeaderWidths[c] = header[c].as<int>();
  }
  const auto measure = [&form](std::string_view text, TCellFont font) {
    const std::array<int, 256>& widths =
        font == TCellFont::Header ? form.HeaderWidths : form.BodyWidths;
    int w = 0;
    for (const char c : text) w += widths[static_cast<unsigned char>(c)];
    return w;
  };
  TConversion& conversion = form.Conversion;
  for (TCellTable* grid : {&conversion.InputGrid, &conversion.ToernooiGrid, &conversion.ErrorGrid})
    grid->SetMeasureText(measure);
}

// The bytes of a file as the page read it, a list of Uint8Arrays, copied once into the core's
// memory; each block is let go from the list once copied, so that the file does not lie in the
// worker twice while the core converts it.
std::string Bytes(val blocks) {
  const std::size_t n = blocks["length"].as<std::size_t>();
  std::size_t size = 0;
  for (std::size_t i = 0; i < n; ++i) size += blocks[i]["length"].as<std::size_t>();
  std::string bytes(size, '\0');
  std::size_t at = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const val block = blocks[i];
    const std::size_t length = block["length"].as<std::size_t>();
    val(emscripten::typed_memory_view(length, reinterpret_cast<unsigned char*>(bytes.data()) + at))
        .call<void>("set", block);
    at += length;
    blocks.set(i, val::null());
  }
  return bytes;
}

// Has the page told how far an open has read the file: callback(text), the status line's text.
void SetProgress(const val& callback) {
  TWebForm& form = Form();
  form.Conversion.Toernooi.OnProgress = [callback, &form](std::size_t read, std::size_t size) {
    if (form.Loading.empty()) return;
    callback(WithName([&](std::string_view name) { return LoadProgressText(name, read, size); },
                      form.Loading));
  };
}

// The window's double-click: empties the tables, loads the file and fills the tournament table.
// Report tells whether there is a report to save.
TWebResult OpenFile(const std::string& name, const val& blocks) {
  return Run([&](TWebForm& form, TWebResult& web) {
    const std::filesystem::path path(name);
    form.Loading = PageNaming().Name(path);
    const TConvertResult result = form.Conversion.OpenBytes(path, Bytes(blocks));
    TellOpen(web, result);
    ShowLoad(form, result.Load);
    web.Report = form.Conversion.HasReport();
  });
}

// The same for a file the browser could not read; error names its DOMException.
TWebResult OpenFailed(const std::string& name, const std::string& error) {
  return Run([&](TWebForm& form, TWebResult& web) {
    const TConvertResult result =
        form.Conversion.OpenUnread(std::filesystem::path(name), ReadFailure(error));
    TellOpen(web, result);
    ShowLoad(form, result.Load);
  });
}

// "Alle" over `total` files the page reads: the error list collects one summary row per file.
// The page asks RunNext for each file, hands it over (RunFile, RunUnread) and keeps its
// report when told to (RunStored); which file comes next, what each says and when the run
// ends is the core's, as in the window's run.
TWebResult RunStart(int total) {
  return Run([total](TWebForm& form, TWebResult&) {
    form.Status.clear();
    form.RunFailure.clear();
    form.Conversion.StartRun({});
    form.Steps.emplace(form.Conversion, static_cast<std::size_t>(total), true);
  });
}

// The file the page is to hand over next, or -1 when the run has ended; stop: the user pressed
// Stop, which ends the run before the next file.
int RunNext(bool stop) {
  TRunSteps& steps = Form().Steps.value();
  if (stop) steps.Stop();
  return steps.Over() ? -1 : static_cast<int>(steps.Next());
}

namespace {

// A file of the run has ended: its row, its place, and the progress in the status line. A
// failure no user can cause ends the run after it.
TWebResult RunEnded(TWebForm& form, TWebResult web, const TConvertResult& result) {
  TRunSteps& steps = form.Steps.value();
  web.File = static_cast<int>(steps.Next());
  if (web.Failure.empty()) {
    steps.Ended(result);
    web.SummaryRow = form.Conversion.SummaryRow(result.Input).value_or(-1);
    web.Report = result.Done();
  } else {
    form.RunFailure = web.Failure;
    steps.Stop();
  }
  form.Naam = result.Load.Naam.substr(0, ShownBytes + 1);
  form.Status = VanBestandenText(steps.Summary().Ended, steps.Summary().Total);
  web.Naam = ShownCp1252(form.Naam);
  web.Status = ShownCp1252(form.Status);
  return web;
}

// Ends the file now when it made no report to keep; else the page keeps it first.
TWebResult RunConverted(const std::function<TConvertResult(TConversion&)>& convert) {
  TWebForm& form = Form();
  TConvertResult result;
  TWebResult web = Run([&](TWebForm& f, TWebResult&) { result = convert(f.Conversion); });
  if (web.Failure.empty() && result.Done()) {
    form.Keeping = std::move(result);
    web.Store = true;
    return web;
  }
  return RunEnded(form, std::move(web), result);
}

} // namespace

// The bytes of the file RunNext named.
TWebResult RunFile(const std::string& name, const val& blocks) {
  return RunConverted([&](TConversion& conversion) {
    return conversion.ConvertBytes(std::filesystem::path(name), Bytes(blocks));
  });
}

// The file RunNext named, which the browser could not read; error names its DOMException.
TWebResult RunUnread(const std::string& name, const std::string& error) {
  return RunConverted([&](TConversion& conversion) {
    return conversion.ConvertUnread(std::filesystem::path(name), ReadFailure(error));
  });
}

// How keeping the report of the file went: error names the DOMException of a write into the
// folder at target, empty when the report was kept.
TWebResult RunStored(const std::string& target, const std::string& error) {
  TWebForm& form = Form();
  TConvertResult result = form.Keeping;
  TWebResult web = Run([&](TWebForm& f, TWebResult&) {
    if (!error.empty()) result = f.Conversion.NotWritten(result.Input, target, WriteFailure(error));
  });
  return RunEnded(form, std::move(web), result);
}

// Ends the run: the tables fitted, the end in the first panel as the window shows it, and the
// failure that ended the run, if one did, in one message. folder: the name of the folder the
// reports went into, or empty for the zip of that name.
TWebResult RunFinish(const std::string& folder, const std::string& zipName) {
  TWebForm& form = Form();
  const TRunSummary summary = form.Steps.value().Summary();
  form.Steps.reset();
  form.Keeping = {};
  TWebResult web = Run([](TWebForm& f, TWebResult&) { f.Conversion.FinishRun(); });
  if (summary.Ending) web.Messages.call<void>("push", summary.Ending->Text(PageNaming()));
  if (web.Failure.empty()) web.Failure = std::move(form.RunFailure);
  form.Naam.clear();
  form.Status.clear();
  web.Naam = WithName(
      [&](std::string_view where) {
        return summary.EndText(folder.empty() ? std::string(where) : FillIn(Tekst::InMap, where));
      },
      folder.empty() ? zipName : folder);
  web.Status.clear();
  return web;
}

// The report of the file last converted, each line ended by CR LF.
val WebReportBytes() {
  const std::string bytes = ReportBytes(Form().Conversion.Toernooi.ReportLines);
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes.size(),
                                          reinterpret_cast<const unsigned char*>(bytes.data())));
}

// What "Bewaar Fide2006" downloads: the report of the file last read, or why there is none.
TWebReport Report() {
  const TConversion& conversion = Form().Conversion;
  TWebReport report;
  const TConvertResult allowed = conversion.CanSave();
  if (!allowed.Done()) {
    report.Refusal = allowed.Text(PageNaming());
    return report;
  }
  report.Name = conversion.ReportName();
  report.Bytes = WebReportBytes();
  return report;
}

// The report's file name for the file last loaded.
std::string ReportName() {
  return Form().Conversion.ReportName();
}

// A copy of the numbers as a typed array of the page.
template <typename T> val TypedArray(const char* type, const std::vector<T>& numbers) {
  return val::global(type).new_(emscripten::typed_memory_view(numbers.size(), numbers.data()));
}

// The columns of a block of the shape's edges.
constexpr int BlockCols = 4096;

TWebTable TableShape(int which) {
  const TCellTable& grid = Grid(which);
  TWebTable shape;
  shape.ColCount = grid.ColCount();
  shape.RowCount = grid.RowCount();
  shape.FixedCols = grid.FixedCols();
  shape.FixedRows = grid.FixedRows();
  shape.BlockCols = BlockCols;
  std::vector<double> edges(static_cast<std::size_t>(grid.ColCount() / BlockCols + 2));
  double left = 0;
  for (int c = 0; c < grid.ColCount(); ++c) {
    if (c % BlockCols == 0) edges[static_cast<std::size_t>(c / BlockCols)] = left;
    left += grid.ColWidths(c);
  }
  // The table's right edge closes the last block.
  edges[static_cast<std::size_t>((grid.ColCount() + BlockCols - 1) / BlockCols)] = left;
  edges.resize(static_cast<std::size_t>((grid.ColCount() + BlockCols - 1) / BlockCols + 1));
  shape.BlockEdges = TypedArray("Float64Array", edges);
  return shape;
}

// The widths of the columns from `first`, as many as there are of `count`.
val ColumnWidths(int which, int first, int count) {
  const TCellTable& grid = Grid(which);
  std::vector<std::int32_t> widths;
  for (int c = std::max(first, 0); c < std::min(grid.ColCount(), first + count); ++c)
    widths.push_back(grid.ColWidths(c));
  return TypedArray("Int32Array", widths);
}

// The alignment of the columns from `first` (0 left, 1 centre, 2 right).
val ColumnAligns(int which, int first, int count) {
  const TCellTable& grid = Grid(which);
  std::vector<std::uint8_t> aligns;
  for (int c = std::max(first, 0); c < std::min(grid.ColCount(), first + count); ++c) {
    THorzAlign horz = THorzAlign::Left;
    TVertAlign vert = TVertAlign::Top;
    // A table without the owner's handler aligns every cell left.
    if (grid.OnGetAlignment) grid.Alignment(c, 0, horz, vert);
    aligns.push_back(static_cast<std::uint8_t>(horz));
  }
  return TypedArray("Uint8Array", aligns);
}

// The cells of the rows from `first` in the columns from `firstCol`, as many as there are of
// each: a view asks only for what it shows.
TWebRows TableRows(int which, int first, int count, int firstCol, int colCount) {
  const TCellTable& grid = Grid(which);
  TWebRows rows;
  const int end = std::min(grid.RowCount(), first + count);
  const int colEnd = std::min(grid.ColCount(), firstCol + colCount);
  for (int r = std::max(first, 0); r < end; ++r) {
    for (int c = std::max(firstCol, 0); c < colEnd; ++c) {
      const TMergeRole role = grid.MergeRole(c, r);
      const std::optional<TCellColor> color = grid.CellColor(c, r);
      // The error list names files as the page was given them.
      rows.Texts.call<void>("push", which == 2
                                        ? ShownUtf8(Form().Conversion.ErrorCell(c, r, PageNaming()))
                                        : ShownCp1252(grid.GetCell(c, r)));
      rows.Colors.call<void>("push", color ? (color->R << 16) | (color->G << 8) | color->B : -1);
      rows.Spans.call<void>("push", role.Kind == TMergeRole::Member ? 0
                                    : role.Kind == TMergeRole::First
                                        ? std::min(role.ColSpan, grid.ColCount() - c)
                                        : 1);
    }
  }
  return rows;
}

// The text of a summary row of the error list (the file's name first), or "" for another row.
std::string SummaryText(int errorRow) {
  const TCellTable& grid = Form().Conversion.ErrorGrid;
  if (errorRow < grid.FixedRows() || errorRow >= grid.RowCount()) return {};
  if (!Form().Conversion.SummaryFile(errorRow)) return {};
  return Form().Conversion.ErrorCell(2, errorRow, PageNaming());
}

// The error list as the clipboard receives it.
std::string ErrorText() {
  return Form().Conversion.ErrorText(PageNaming());
}

// A block of a table's cells, bounds included, in the same form.
std::string CellsText(int which, int left, int top, int right, int bottom) {
  if (which == 2) return Form().Conversion.ErrorText(left, top, right, bottom, PageNaming());
  return Cp1252ToUtf8(Grid(which).ClipboardText(left, top, right, bottom));
}

// The input table's row of the line that a row of the error list names, or -1.
int FindingRow(int errorRow) {
  return Form().Conversion.FindingRow(errorRow).value_or(-1);
}

// The order of the input list: by name without regard to case, as the window lists a folder.
val SortedOrder(const val& names) {
  const std::size_t n = names["length"].as<std::size_t>();
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < n; ++i) texts.push_back(Utf8ToCp1252(names[i].as<std::string>()));
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&texts](int a, int b) { return CompareNoCase(texts[a], texts[b]) < 0; });
  val list = val::array();
  for (const int i : order) list.call<void>("push", i);
  return list;
}

EMSCRIPTEN_BINDINGS(morvelander) {
  emscripten::value_object<TWebResult>("TWebResult")
      .field("Naam", &TWebResult::Naam)
      .field("Status", &TWebResult::Status)
      .field("Messages", &TWebResult::Messages)
      .field("Failure", &TWebResult::Failure)
      .field("RegelCount", &TWebResult::RegelCount)
      .field("Report", &TWebResult::Report)
      .field("SummaryRow", &TWebResult::SummaryRow)
      .field("File", &TWebResult::File)
      .field("Store", &TWebResult::Store);
  emscripten::value_object<TWebStart>("TWebStart")
      .field("Caption", &TWebStart::Caption)
      .field("Separator", &TWebStart::Separator)
      .field("Extension", &TWebStart::Extension);
  emscripten::value_object<TWebReport>("TWebReport")
      .field("Refusal", &TWebReport::Refusal)
      .field("Name", &TWebReport::Name)
      .field("Bytes", &TWebReport::Bytes);
  emscripten::value_object<TWebTable>("TWebTable")
      .field("ColCount", &TWebTable::ColCount)
      .field("RowCount", &TWebTable::RowCount)
      .field("FixedCols", &TWebTable::FixedCols)
      .field("FixedRows", &TWebTable::FixedRows)
      .field("BlockCols", &TWebTable::BlockCols)
      .field("BlockEdges", &TWebTable::BlockEdges);
  emscripten::value_object<TWebRows>("TWebRows")
      .field("Texts", &TWebRows::Texts)
      .field("Colors", &TWebRows::Colors)
      .field("Spans", &TWebRows::Spans);
  emscripten::function("Start", &Start);
  emscripten::function("Texts", &Texts);
  emscripten::function("SetFontWidths", &SetFontWidths);
  emscripten::function("SetProgress", &SetProgress);
  emscripten::function("OpenFile", &OpenFile);
  emscripten::function("OpenFailed", &OpenFailed);
  emscripten::function("RunStart", &RunStart);
  emscripten::function("RunNext", &RunNext);
  emscripten::function("RunFile", &RunFile);
  emscripten::function("RunUnread", &RunUnread);
  emscripten::function("RunStored", &RunStored);
  emscripten::function("RunFinish", &RunFinish);
  emscripten::function("SummaryText", &SummaryText);
  emscripten::function("Report", &Report);
  emscripten::function("ReportBytes", &WebReportBytes);
  emscripten::function("ReportName", &ReportName);
  emscripten::function("TableShape", &TableShape);
  emscripten::function("ColumnWidths", &ColumnWidths);
  emscripten::function("ColumnAligns", &ColumnAligns);
  emscripten::function("TableRows", &TableRows);
  emscripten::function("ErrorText", &ErrorText);
  emscripten::function("CellsText", &CellsText);
  emscripten::function("FindingRow", &FindingRow);
  emscripten::function("SortedOrder", &SortedOrder);
}
