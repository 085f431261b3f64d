#include "app/logic/MainForm.h"
#include "app/view/CellTableModel.h"
#include "app/view/MainWindow.h"
#include "app/view/TextMeasure.h"
#include "bench/TournamentGenerator.h"
#include "tests/app/logic/FakeDesktop.h"
#include "tests/app/logic/TestFiles.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// A program folder whose InBox holds generated tournaments. The window and the form find
// their InBox and OutBox beside the executable, so the executable's path is all they need.
struct TProgramFolder {
  TTempDir Temp;
  int Files = 0;
  // Game lines and all lines of one file.
  int GameLines = 0;
  int Lines = 0;

  fs::path Executable() const { return Temp.Path() / "Morvelander"; }
  fs::path InBox() const { return Temp.Path() / "InBox"; }
  fs::path OutBox() const { return Temp.Path() / "OutBox"; }
};

// Fills a fresh program folder with files of the given size, each one a different tournament.
std::unique_ptr<TProgramFolder> MakeProgramFolder(int files, int gameLines) {
  auto folder = std::make_unique<TProgramFolder>();
  folder->Files = files;
  for (int i = 0; i < files; ++i) {
    TGeneratorOptions options;
    options.GameLines = gameLines;
    options.Seed = static_cast<std::uint64_t>(i) + 1;
    const TGeneratedToernooi toernooi = GenerateToernooi(options);
    char name[32];
    std::snprintf(name, sizeof name, "toernooi-%05d.csv", i + 1);
    WriteBytes(folder->InBox() / name, toernooi.Bytes);
    folder->GameLines = toernooi.GameLines;
    folder->Lines =
        static_cast<int>(std::count(toernooi.Bytes.begin(), toernooi.Bytes.end(), '\n'));
  }
  return folder;
}

// A small tournament whose last line holds `fields` fields, so the input table gets as many
// columns.
std::unique_ptr<TProgramFolder> MakeWideLineFolder(int fields) {
  auto folder = std::make_unique<TProgramFolder>();
  folder->Files = 1;
  TGeneratorOptions options;
  options.GameLines = 20;
  std::string bytes = GenerateToernooi(options).Bytes;
  bytes += "900";
  for (int i = 1; i < fields; ++i) bytes += ";" + std::to_string(i);
  bytes += "\r\n";
  WriteBytes(folder->InBox() / "breed.csv", bytes);
  folder->GameLines = options.GameLines + 1;
  folder->Lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
  return folder;
}

// Each folder is generated once per run and shared by the benchmarks that ask for it.
const TProgramFolder& ProgramFolder(const std::string& purpose, int files, int gameLines) {
  static std::map<std::string, std::unique_ptr<TProgramFolder>> folders;
  const std::string key = purpose + "/" + std::to_string(files) + "x" + std::to_string(gameLines);
  auto [it, added] = folders.try_emplace(key);
  if (added)
    it->second =
        purpose == "wide" ? MakeWideLineFolder(gameLines) : MakeProgramFolder(files, gameLines);
  return *it->second;
}

// Removes the reports, so the next batch writes every one of them anew.
void ClearFolder(const fs::path& folder) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
    fs::remove(entry.path(), ec);
}

int CountFiles(const fs::path& folder, const std::string& extension) {
  std::error_code ec;
  int count = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
    if (entry.path().extension() == extension) ++count;
  return count;
}

template <typename T> T* Find(const QWidget& window, const char* name) {
  return window.findChild<T*>(QString::fromLatin1(name));
}

// A shown and activated window over the folder; none when the window did not come up.
std::unique_ptr<TMainWindow> OpenWindow(const TProgramFolder& folder, TFakeDesktop& desktop) {
  auto window = std::make_unique<TMainWindow>(folder.Executable(), '.', &desktop);
  window->show();
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  // Activation refreshes both folders, each with a beep; it runs from the event queue.
  if (!QTest::qWaitFor([&desktop] { return desktop.Beeps >= 2; }, 5000)) return nullptr;
  QCoreApplication::processEvents();
  desktop.ClearRecords();
  return window;
}

// The time per iteration and, as per_<unit>, per unit of work (in seconds).
void CountPer(benchmark::State& state, const char* unit, int units) {
  state.SetItemsProcessed(state.iterations() * units);
  state.counters[std::string("per_") + unit] =
      benchmark::Counter(static_cast<double>(units), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// A wrong outcome makes the figure meaningless: it is reported instead of a time.
bool Check(benchmark::State& state, bool ok, const char* what) {
  if (!ok) state.SkipWithError(what);
  return ok;
}

// Double-clicks the first input file and lets the views take up the new tables, as the window
// paints after a command.
void OpenFirstInputFile(TMainWindow& window) {
  auto* list = Find<QListView>(window, "InFileListBox");
  const QModelIndex entry = list->model()->index(0, 0);
  list->setCurrentIndex(entry);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
  QCoreApplication::processEvents();
}

// Whether the window shows the whole file, with nothing asked or reported.
bool ShowsFile(TMainWindow& window, const TFakeDesktop& desktop, const TProgramFolder& folder) {
  const TMainForm& form = window.Form();
  return form.Toernooi()->RegelCount() == folder.Lines &&
         Find<QTableView>(window, "InputGrid")->model()->rowCount() == folder.Lines &&
         Find<QTableView>(window, "ToernooiGrid")->model()->rowCount() ==
             form.ToernooiGrid.RowCount() &&
         form.ToernooiGrid.RowCount() > 2 && form.ActivePage() == TMainForm::FoutenPage &&
         desktop.Errors.empty() && desktop.Messages.empty();
}

// Every iteration starts a new window over the folder and opens its file, so no text width is
// known yet; `shown` tells whether the window then shows what it should.
template <typename TShown>
void OpenInNewWindows(benchmark::State& state, const TProgramFolder& folder, TShown shown) {
  for (auto _ : state) {
    state.PauseTiming();
    TFakeDesktop desktop;
    std::unique_ptr<TMainWindow> window = OpenWindow(folder, desktop);
    if (!Check(state, window != nullptr, "the window was not activated")) break;
    state.ResumeTiming();

    OpenFirstInputFile(*window);

    state.PauseTiming();
    const bool ok = shown(*window, desktop);
    window.reset();
    state.ResumeTiming();
    if (!Check(state, ok, "the file was not loaded and shown")) break;
  }
}

// A window just started opens the file: the load, fitting the input table's columns with the
// real fonts, the tournament table, and the views taking up the new tables.
void BM_WindowLoad(benchmark::State& state) {
  const TProgramFolder& folder = ProgramFolder("load", 1, static_cast<int>(state.range(0)));
  OpenInNewWindows(state, folder, [&](TMainWindow& window, const TFakeDesktop& desktop) {
    return ShowsFile(window, desktop, folder);
  });
  CountPer(state, "line", folder.GameLines);
}

// A file whose one line holds as many fields as the argument: the input table's view takes up
// the window of them it shows, with their widths.
void BM_WindowWideLine(benchmark::State& state) {
  const TProgramFolder& folder = ProgramFolder("wide", 1, static_cast<int>(state.range(0)));
  OpenInNewWindows(state, folder, [&](TMainWindow& window, const TFakeDesktop& desktop) {
    const auto* grid = Find<QTableView>(window, "InputGrid");
    const TCellTable& table = window.Form().InputGrid;
    const int shown = std::min(table.ColCount(), table.FixedCols() + TCellTableModel::WindowCols);
    return ShowsFile(window, desktop, folder) && table.ColCount() > state.range(0) &&
           grid->model()->columnCount() == shown &&
           grid->columnWidth(shown - 1) == table.ColWidths(shown - 1);
  });
  CountPer(state, "field", static_cast<int>(state.range(0)));
}

// The same file opened again in the same window: every text width is known by now, so the
// difference to BM_WindowLoad is the cost of measuring the texts.
void BM_WindowReload(benchmark::State& state) {
  const TProgramFolder& folder = ProgramFolder("load", 1, static_cast<int>(state.range(0)));
  TFakeDesktop desktop;
  std::unique_ptr<TMainWindow> window = OpenWindow(folder, desktop);
  if (!Check(state, window != nullptr, "the window was not activated")) return;
  OpenFirstInputFile(*window);
  for (auto _ : state) {
    OpenFirstInputFile(*window);
    if (!Check(state, ShowsFile(*window, desktop, folder), "the file was not loaded and shown"))
      break;
  }
  CountPer(state, "line", folder.GameLines);
}

// "Alle" over the InBox, reports written to the OutBox. Each iteration starts from an empty
// OutBox and an output list that shows it, so every one converts the same way.
template <typename TRun, typename TAfterClear>
void ConvertAll(benchmark::State& state, const TProgramFolder& folder, TFakeDesktop& desktop,
                const TMainForm& form, TRun run, TAfterClear afterClear) {
  if (!Check(state, static_cast<int>(form.InputFiles().size()) == folder.Files,
             "the InBox was not read"))
    return;
  for (auto _ : state) {
    state.PauseTiming();
    ClearFolder(folder.OutBox());
    afterClear();
    desktop.ClearRecords();
    desktop.Answers = {true};
    state.ResumeTiming();

    run();

    state.PauseTiming();
    // The output refresh beeps once per converted file.
    const bool converted = desktop.Questions.size() == 1 && desktop.Beeps == folder.Files &&
                           desktop.Errors.empty() && desktop.Messages.empty() &&
                           CountFiles(folder.OutBox(), ".txt") == folder.Files;
    state.ResumeTiming();
    if (!Check(state, converted, "not every file was converted")) break;
  }
  CountPer(state, "file", folder.Files);
}

// The window's logic alone: its repaint does nothing.
void BM_ConvertAll(benchmark::State& state) {
  const TProgramFolder& folder =
      ProgramFolder("batch", static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  TFakeDesktop desktop;
  TMainForm form(folder.Executable(), desktop, '.');
  form.FormCreate();
  form.FormActivate();
  ConvertAll(
      state, folder, desktop, form, [&] { form.DoAllBitBtnClick(); },
      [&] { form.OutUpdateBitBtnClick(); });
  form.FormDestroy();
}

// The real window, repainted after every file as the batch goes.
void BM_ConvertAllRepainting(benchmark::State& state) {
  const TProgramFolder& folder =
      ProgramFolder("batch", static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  TFakeDesktop desktop;
  std::unique_ptr<TMainWindow> window = OpenWindow(folder, desktop);
  if (!Check(state, window != nullptr, "the window was not activated")) return;
  TMainWindow* shown = window.get();
  desktop.OnRepaint = [shown] { shown->Repaint(); };
  auto* doAll = Find<QPushButton>(*window, "DoAllBitBtn");
  auto* outUpdate = Find<QPushButton>(*window, "OutUpdateBitBtn");
  ConvertAll(
      state, folder, desktop, window->Form(), [&] { doAll->click(); },
      [&] {
        outUpdate->click();
        QCoreApplication::processEvents();
      });
  desktop.OnRepaint = nullptr;
  window.reset();
}

BENCHMARK(BM_WindowLoad)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowWideLine)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowReload)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
// Files and game lines a file: folders of many small files show how the output list grows.
void Folders(benchmark::internal::Benchmark* b) {
  b->Args({1000, 200})
      ->Args({1000, 5})
      ->Args({4000, 5})
      ->Args({20000, 5})
      ->Iterations(1)
      // The run works beside the window: its CPU time is the process's.
      ->MeasureProcessCPUTime()
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

BENCHMARK(BM_ConvertAll)->Apply(Folders);
BENCHMARK(BM_ConvertAllRepainting)->Apply(Folders);

QtMessageHandler QtDefaultHandler = nullptr;

// The offscreen platform warns at every window shown that it passes no size hints on; the
// benchmarks show many windows, and the warning says nothing about them.
void SkipSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.contains(QStringLiteral("propagateSizeHints"))) return;
  QtDefaultHandler(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
  // The window needs no screen: without a platform of the user's choice it draws offscreen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QtDefaultHandler = qInstallMessageHandler(SkipSizeHintWarnings);
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterTableFonts();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
