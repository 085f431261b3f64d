#pragma once

#include "core/CoreUI.h"

#include <map>
#include <string>
#include <vector>

// Records what the core shows: status texts per panel and plain messages.
class TFakeCoreUI : public TCoreUI {
public:
  void SetStatusText(int panel, const std::string& text) override { Status[panel] = text; }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }

  std::map<int, std::string> Status;
  std::vector<std::string> Messages;
};
