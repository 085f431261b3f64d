// The page's window over the core: the three tables, the tournament and the status line, with
// the commands the window runs on them. Texts cross to the page as UTF-8, bytes as arrays.

#include "web/WebForm.h"

#include "core/report/ReportFile.h"
#include "core/text/DecimalSeparator.h"
#include "core/text/InvoerBestand.h"
#include "core/text/TekstTabel.h"
#include "core/text/TextCase.h"

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
  emscripten::function("Report", &Report);
  emscripten::function("ReportBytes", &WebReportBytes);
  emscripten::function("ReportName", &ReportName);
  emscripten::function("SortedOrder", &SortedOrder);
}
