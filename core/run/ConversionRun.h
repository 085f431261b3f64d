#pragma once

#include "core/run/Conversion.h"
#include "core/run/ReportStore.h"
#include "core/run/RunSource.h"
#include "core/run/RunSummary.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

// What a run tells its front end, from the thread it runs on.
class TRunListener {
public:
  virtual ~TRunListener() = default;
  // A file has ended, the `ended`-th of `total`; the conversion's tables and report are that
  // file's until the next one starts.
  virtual void FileEnded(const TConvertResult& result, std::size_t ended, std::size_t total) = 0;
  // Asked before each file: true ends the run there.
  virtual bool StopRequested() { return false; }
  // The run has ended, its error list fitted; a run that a failure ended throws instead.
  virtual void RunEnded(const TRunSummary&) {}
};

// "Alle" for every front end that converts on its own: converts file after file, asks between
// files whether to stop, and hands each result to the listener, by the rules of TRunSteps. A
// failure no user can cause ends the run with the error list fitted, and is thrown on.
class TConversionRun {
public:
  TConversionRun(TConversion& conversion, TRunListener& listener);

  // Gives a file that gave no lines a summary row of its own, so that every file of the run
  // has a row.
  bool ListRefused = false;

  // Files on disk, each report written into the folder by the conversion's rules.
  TRunSummary Run(const std::vector<std::filesystem::path>& files,
                  const std::filesystem::path& folder);
  // Files the front end reads, each report kept by the store.
  TRunSummary Run(std::vector<TRunSource> sources, TReportStore& store);

private:
  TRunSummary Loop(std::size_t total, const std::function<TConvertResult(std::size_t)>& convert);
  TConvertResult Convert(TRunSource& source, TReportStore& store);

  TConversion& FConversion;
  TRunListener& FListener;
};
