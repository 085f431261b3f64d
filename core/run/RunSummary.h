#pragma once

#include "core/run/Conversion.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How far a run got.
struct TRunSummary {
  // The files given, and those that ended in a result, in order.
  std::size_t Total = 0;
  std::size_t Ended = 0;
  // The reports made and kept.
  std::size_t Made = 0;
  // The file whose failure ended the run, no later report being writable either
  // (TConvertResult::EndsRun); every front end tells it in one message.
  std::optional<TConvertResult> Ending;

  // Whether the run ended before its last file: the user stopped it, or a failure ended it.
  bool Stopped() const { return Ended < Total; }
  // The status line at the end of the run, the same for every front end: how far a run got
  // that ended early, or else how many reports it made at `where` and how many files it
  // refused.
  std::string EndText(std::string_view where) const;
};
