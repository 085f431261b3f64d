#include "core/run/RunSteps.h"

TRunSteps::TRunSteps(TConversion& conversion, std::size_t total, bool listRefused)
    : FConversion(conversion), FListRefused(listRefused) {
  FSummary.Total = total;
}

void TRunSteps::Ended(const TConvertResult& result) {
  if (FListRefused) FConversion.ListRefused(result);
  ++FSummary.Ended;
  if (result.Done()) ++FSummary.Made;
  if (result.Load.Outcome == TLoadOutcome::Stopped) FOver = true;
  if (result.EndsRun()) {
    FSummary.Ending = result;
    FOver = true;
  }
}
