#pragma once

#include "core/CoreUI.h"

#include <string>

// The window's part of a load, for runs that nobody watches: benchmarks and the fuzzer.
class TSilentUI : public TCoreUI {
public:
  void SetStatusText(int /*panel*/, const std::string& /*text*/) override {}
};
