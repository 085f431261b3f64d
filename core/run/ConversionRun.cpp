#include "core/run/ConversionRun.h"

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
  TRunSummary summary;
  summary.Total = total;
  try {
    for (std::size_t i = 0; i < total && !FListener.StopRequested(); ++i) {
      const TConvertResult result = convert(i);
      if (ListRefused) FConversion.ListRefused(result);
      summary.Ended = i + 1;
      if (result.Done()) ++summary.Made;
      FListener.FileEnded(result, summary.Ended, total);
      if (result.Load.Outcome == TLoadOutcome::Stopped) break;
    }
  } catch (...) {
    // The rows of the files before the failure stay readable.
    FConversion.FinishRun();
    throw;
  }
  FConversion.FinishRun();
  FListener.RunEnded(summary);
  return summary;
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
