#pragma once

#include "app/logic/BackgroundWork.h"
#include "core/run/ConversionRun.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The window's side of a run of "Alle" on the thread beside it. The run ends where the user
// pressed Stop; each file that ended is posted to the window's thread, which counts it and
// shows it.
class TWindowRunListener final : public TRunListener {
public:
  TWindowRunListener(TBackgroundWork& beside, std::size_t total);

  // Called on the run's thread while the conversion still holds the ended file, to keep what
  // the window shows of it; the step it returns shows that on the window's thread.
  std::function<std::function<void()>(const TConvertResult&)> OnFileEnded;

  void FileEnded(const TConvertResult& result, std::size_t ended, std::size_t total) override;
  bool StopRequested() override;
  void RunEnded(const TRunSummary& summary) override;

  // On the window's thread: "i van n" for the files shown so far.
  std::string ProgressText() const;
  // Once the run has ended: how far a run got that ended early, or else what it made in the
  // folder `where`.
  std::string EndText(std::string_view where) const;
  // Once the run has ended: the file whose failure ended it, if one did.
  const std::optional<TConvertResult>& Ending() const { return FSummary.Ending; }

private:
  TBackgroundWork& FBeside;
  std::size_t FTotal;
  std::size_t FShown = 0;
  TRunSummary FSummary;
};
