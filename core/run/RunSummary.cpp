#include "core/run/RunSummary.h"

#include "core/text/Teksten.h"

std::string TRunSummary::EndText(std::string_view where) const {
  if (Stopped()) return FillIn(Tekst::GestoptNa, std::to_string(Ended), std::to_string(Total));
  return RunEndText(Made, Total - Made, where);
}
