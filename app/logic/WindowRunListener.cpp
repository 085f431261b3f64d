#include "app/logic/WindowRunListener.h"

#include "core/text/Teksten.h"

#include <utility>

TWindowRunListener::TWindowRunListener(TBackgroundWork& beside, std::size_t total)
    : FBeside(beside), FTotal(total) {}

void TWindowRunListener::FileEnded(const TConvertResult& result, std::size_t ended, std::size_t) {
  std::function<void()> show = OnFileEnded ? OnFileEnded(result) : nullptr;
  FBeside.Post([this, show = std::move(show), ended] {
    FShown = ended;
    if (show) show();
  });
}

bool TWindowRunListener::StopRequested() {
  return FBeside.Stopped();
}

void TWindowRunListener::RunEnded(const TRunSummary& summary) {
  FSummary = summary;
}

std::string TWindowRunListener::ProgressText() const {
  return VanBestandenText(FShown, FTotal);
}

std::string TWindowRunListener::EndText(std::string_view where) const {
  return FSummary.EndText(where);
}
