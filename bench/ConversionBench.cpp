#include "bench/HostileShapes.h"
#include "bench/TournamentGenerator.h"

#include "cli/ConvertCommand.h"
#include "core/report/Report.h"
#include "core/report/ReportFile.h"
#include "core/report/ToernooiGrid.h"
#include "core/run/Conversion.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"
#include "tests/support/TempDir.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <streambuf>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

struct TBenchFile {
  fs::path Path;
  std::int64_t Bytes = 0;
  std::int64_t GameLines = 0;
};

const TTempDir& Folder() {
  static const TTempDir folder;
  return folder;
}

// Each size is generated once per run and shared by every benchmark.
const TBenchFile& File(std::int64_t gameLines) {
  static std::map<std::int64_t, TBenchFile> files;
  auto [it, added] = files.try_emplace(gameLines);
  if (added) {
    TGeneratorOptions options;
    options.GameLines = static_cast<int>(gameLines);
    const TGeneratedToernooi toernooi = GenerateToernooi(options);
    it->second.Path = Folder().Path() / ("toernooi-" + std::to_string(gameLines) + ".csv");
    std::ofstream(it->second.Path, std::ios::binary) << toernooi.Bytes;
    it->second.Bytes = static_cast<std::int64_t>(toernooi.Bytes.size());
    it->second.GameLines = toernooi.GameLines;
  }
  return it->second;
}

// The conversion every front end runs, with the window's three tables and its tournament.
struct TWindow {
  TCoreUI UI;
  TConversion Conversion{UI};
  TCellTable& ErrorGrid = Conversion.ErrorGrid;
  TCellTable& InputGrid = Conversion.InputGrid;
  TCellTable& ToernooiGrid = Conversion.ToernooiGrid;
  TToernooi& Toernooi = Conversion.Toernooi;

  // The window's double-click.
  void Open(const TBenchFile& file) { Conversion.Open(file.Path); }
};

std::int64_t ReportBytes(const TToernooi& toernooi) {
  std::int64_t bytes = 0;
  for (const std::string& line : toernooi.ReportLines)
    bytes += static_cast<std::int64_t>(line.size()) + 2;
  return bytes;
}

// Time per game line (per_line, in seconds; game lines per second as items) and bytes per
// second.
void Count(benchmark::State& state, const TBenchFile& file, std::int64_t bytesPerIteration) {
  state.SetItemsProcessed(state.iterations() * file.GameLines);
  state.SetBytesProcessed(state.iterations() * bytesPerIteration);
  state.counters["per_line"] = benchmark::Counter(static_cast<double>(file.GameLines),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

// The whole conversion of one file, as the converter does it: a run of one file, with or without
// the input table, which the converter builds only to print it and the window and the page
// draw when the run ends.
void Convert(benchmark::State& state, bool inputTable) {
  const TBenchFile& file = File(state.range(0));
  const fs::path out = Folder().Path() / "conversion";
  fs::create_directories(out);
  TCoreUI ui;
  TConversion conversion(ui, {'.', true, inputTable});
  for (auto _ : state) {
    conversion.StartRun({file.Path});
    if (!conversion.ConvertFile(file.Path, out).Done())
      state.SkipWithError("the report was not written");
    conversion.FinishRun();
  }
  Count(state, file, file.Bytes);
}

void BM_Conversion(benchmark::State& state) {
  Convert(state, false);
}

// The same with the input table of the run's last file, as "Alle" in the window and the page's
// run draw it.
void BM_ConversionInputTable(benchmark::State& state) {
  Convert(state, true);
}

// Reading and checking.
void BM_LoadFile(benchmark::State& state) {
  const TBenchFile& file = File(state.range(0));
  TWindow window;
  for (auto _ : state) {
    window.Conversion.Fouten.Clear();
    window.Toernooi.LoadFile(file.Path, window.InputGrid, false);
  }
  Count(state, file, file.Bytes);
}

// The players, on a loaded tournament; every load starts them from an empty list too.
void BM_BuildSpelers(benchmark::State& state) {
  const TBenchFile& file = File(state.range(0));
  TWindow window;
  window.Open(file);
  for (auto _ : state) {
    window.Toernooi.Spelers.Clear();
    window.Toernooi.BuildSpelers();
  }
  Count(state, file, file.Bytes);
}

// The tournament table, including the report built from it.
void BM_FillToernooiGrid(benchmark::State& state) {
  const TBenchFile& file = File(state.range(0));
  TWindow window;
  window.Open(file);
  for (auto _ : state) FillToernooiGrid(window.Toernooi, window.ToernooiGrid);
  Count(state, file, file.Bytes);
}

void BM_BuildReport(benchmark::State& state) {
  const TBenchFile& file = File(state.range(0));
  TWindow window;
  window.Open(file);
  const TStand stand(window.Toernooi);
  for (auto _ : state) BuildReport(window.Toernooi, stand);
  Count(state, file, ReportBytes(window.Toernooi));
}

// Writing the report file; bytes count the report, not the input.
void BM_WriteReportFile(benchmark::State& state) {
  const TBenchFile& file = File(state.range(0));
  const fs::path report = Folder().Path() / "write.txt";
  TWindow window;
  window.Open(file);
  for (auto _ : state) WriteReportFile(report, window.Toernooi.ReportLines);
  Count(state, file, ReportBytes(window.Toernooi));
}

// A file of the given bytes in the run's folder, written once.
fs::path ShapeFile(const std::string& name, const std::string& bytes) {
  const fs::path path = Folder().Path() / name;
  std::error_code ec;
  if (!fs::exists(path, ec)) std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// Counts what would be written and keeps none of it.
class TCountingBuf : public std::streambuf {
public:
  std::int64_t Bytes = 0;

protected:
  int_type overflow(int_type c) override {
    ++Bytes;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    Bytes += n;
    return n;
  }
};

// The tournament table and report of a file whose round cells are nearly all empty.
void BM_SparseRondes(benchmark::State& state) {
  const auto rondes = static_cast<int>(state.range(0));
  const fs::path path =
      ShapeFile("sparse-" + std::to_string(rondes) + ".csv", SparseRondesFile(rondes));
  TWindow window;
  window.Toernooi.LoadFile(path, window.InputGrid, false);
  for (auto _ : state) FillToernooiGrid(window.Toernooi, window.ToernooiGrid);
  state.counters["report_bytes"] = static_cast<double>(ReportBytes(window.Toernooi));
}

// The players of a file whose order of first appearance is built against the sort.
void BM_SortWorstCase(benchmark::State& state) {
  const auto spelers = static_cast<int>(state.range(0));
  const fs::path path =
      ShapeFile("sort-" + std::to_string(spelers) + ".csv", SortWorstCaseFile(spelers));
  TWindow window;
  window.Toernooi.LoadFile(path, window.InputGrid, false);
  for (auto _ : state) {
    window.Toernooi.Spelers.Clear();
    window.Toernooi.BuildSpelers();
  }
  state.SetItemsProcessed(state.iterations() * window.Toernooi.GetSpelerCount());
}

// The converter without --batch over files full of findings: every finding is a row of one
// error table.
void BM_ConvertManyFindings(benchmark::State& state) {
  TConvertOptions options;
  options.OutDir = Folder().Path();
  options.Print = TPrintWhat::None;
  options.DecimalSeparator = '.';
  for (int k = 0; k < state.range(0); ++k)
    options.Files.push_back(
        ShapeFile("findings-" + std::to_string(k) + ".csv", FindingsFile(5000)));
  for (auto _ : state) {
    TCountingBuf sink;
    std::ostream out(&sink);
    if (RunConvert(options, out, out) != 0) state.SkipWithError("a file was not converted");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 5000);
}

// --print input of a file with one record of many fields: the input table as text.
void BM_PrintWideInput(benchmark::State& state) {
  const auto fields = static_cast<int>(state.range(0));
  TConvertOptions options;
  options.OutDir = Folder().Path();
  options.Print = TPrintWhat::Input;
  options.DecimalSeparator = '.';
  options.Files = {ShapeFile("wide-" + std::to_string(fields) + ".csv", WideLineFile(200, fields))};
  std::int64_t printed = 0;
  for (auto _ : state) {
    TCountingBuf sink;
    std::ostream out(&sink);
    if (RunConvert(options, out, out) != 0) state.SkipWithError("the file was not converted");
    printed = sink.Bytes;
  }
  state.SetBytesProcessed(state.iterations() * printed);
}

// Reading and checking one game per round, with keys of the games index that are ordinary
// (first argument 0) or chosen to collide in the hash that index once had (1).
void BM_LoadIndexKeys(benchmark::State& state) {
  const bool colliding = state.range(0) != 0;
  const auto games = static_cast<int>(state.range(1));
  const std::string bytes = IndexKeysFile(games, colliding);
  TWindow window;
  window.Toernooi.FillInputGrid = false;
  window.Toernooi.FitErrorGrid = false;
  for (auto _ : state) {
    window.Conversion.Fouten.Clear();
    window.Toernooi.LoadBytes("keys.csv", bytes, window.InputGrid, false);
  }
  if (window.Toernooi.Games.Count() != games) state.SkipWithError("a game was rejected");
  Count(state, {{}, static_cast<std::int64_t>(bytes.size()), games},
        static_cast<std::int64_t>(bytes.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Conversion)->Apply(Sizes);
BENCHMARK(BM_ConversionInputTable)->Apply(Sizes);
BENCHMARK(BM_LoadFile)->Apply(Sizes);
BENCHMARK(BM_BuildSpelers)->Apply(Sizes);
BENCHMARK(BM_FillToernooiGrid)->Apply(Sizes);
BENCHMARK(BM_BuildReport)->Apply(Sizes);
BENCHMARK(BM_WriteReportFile)->Apply(Sizes);
// Shapes against single steps, each at two sizes so that the growth shows.
BENCHMARK(BM_SparseRondes)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortWorstCase)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertManyFindings)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintWideInput)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIndexKeys)->ArgsProduct({{0, 1}, {10000, 40000}})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
