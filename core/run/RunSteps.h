#pragma once

#include "core/run/Conversion.h"
#include "core/run/RunSummary.h"

#include <cstddef>

// The rules of a run of "Alle" from one file to the next, for the driver that converts the
// files: which file comes next, what each result adds to the error list and the counts, and
// when the run ends. A front end that must read or write between two files (the page) steps
// through the same rules as the run that converts on its own.
class TRunSteps {
public:
  // A run over `total` files; listRefused gives a file that gave no lines a summary row of its
  // own (see TConversion::ListRefused). The conversion's run is started by the caller.
  TRunSteps(TConversion& conversion, std::size_t total, bool listRefused);

  // Whether the run has ended: every file converted, or the run ended before its last.
  bool Over() const { return FOver || FSummary.Ended >= FSummary.Total; }
  // The file to convert next, counted from 0 in the order given.
  std::size_t Next() const { return FSummary.Ended; }
  // The user ends the run before the next file.
  void Stop() { FOver = true; }
  // The result of the file Next named: listed, counted, and the end of the run when a load was
  // stopped or no later report could be written.
  void Ended(const TConvertResult& result);

  const TRunSummary& Summary() const { return FSummary; }

private:
  TConversion& FConversion;
  bool FListRefused;
  bool FOver = false;
  TRunSummary FSummary;
};
