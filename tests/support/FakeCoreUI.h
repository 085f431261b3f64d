#pragma once

#include "core/CoreUI.h"

#include <map>
#include <string>

// Records what the core shows: status texts per panel.
class TFakeCoreUI : public TCoreUI {
public:
  void SetStatusText(int panel, const std::string& text) override { Status[panel] = text; }

  std::map<int, std::string> Status;
};
