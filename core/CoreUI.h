#pragma once

#include <string>

// The only calls of the conversion core into its front end: the window, the command-line
// converter, the page's binding and the tests each implement them. Everything else the core
// has to say comes back in the results of its calls.
class TCoreUI {
public:
  virtual ~TCoreUI() = default;
  // Sets the text of a status-bar panel (the load writes its error count to panel 1).
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Asked from the thread of a load as often as it reports its progress, and between its
  // longer steps: true ends the load there, with nothing to show. A front end whose user cannot
  // stop a load keeps the default.
  virtual bool StopRequested() { return false; }
};
