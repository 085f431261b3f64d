#include "core/run/ConversionRun.h"

#include "core/run/RunSteps.h"

#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace fs = std::filesystem;

TConversionRun::TConversionRun(TConversion& conversion, TRunListener& listener)
    : FConversion(conversion), FListener(listener) {}

TRunSummary TConversionRun::Run(const std::vector<fs::path>& files, const fs::path& folder) {
  FConversion.StartRun(files);
  return Loop(files.size(),
              [&](std::size_t i) { return FConversion.ConvertFile(files[i], folder); });
}

TRunSummary TConversionRun::Run(std::vector<TRunSource> sources, TReportStore& store) {
  // No file of the run is on disk for a report to replace.
  FConversion.StartRun({});
  return Loop(sources.size(), [&](std::size_t i) { return Convert(sources[i], store); });
}

TRunSummary TConversionRun::Loop(std::size_t total,
                                 const std::function<TConvertResult(std::size_t)>& convert) {
  TRunSteps steps(FConversion, total, ListRefused);
  try {
    while (!steps.Over() && !FListener.StopRequested()) {
      const TConvertResult result = convert(steps.Next());
      steps.Ended(result);
      FListener.FileEnded(result, steps.Summary().Ended, total);
    }
  } catch (...) {
    // The rows of the files before the failure stay readable.
    FConversion.FinishRun();
    throw;
  }
  FConversion.FinishRun();
  FListener.RunEnded(steps.Summary());
  return steps.Summary();
}

TConvertResult TConversionRun::Convert(TRunSource& source, TReportStore& store) {
  TSourceBytes read = source.Read();
  if (const TLoadOutcome* why = std::get_if<TLoadOutcome>(&read))
    return FConversion.ConvertUnread(source.Name(), *why);
  TConvertResult result =
      FConversion.ConvertBytes(source.Name(), std::get<std::string>(std::move(read)));
  if (!result.Done()) return result;
  const fs::path target = store.Target(result.Target);
  if (const std::error_code ec = store.Store(target, FConversion.Toernooi.ReportLines))
    return FConversion.NotWritten(source.Name(), target, ec);
  result.Target = target;
  return result;
}
