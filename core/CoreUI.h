#pragma once

#include <string>

// What the conversion core needs of the window: the window, the command-line converter and
// the tests each implement it.
class TCoreUI {
public:
  virtual ~TCoreUI() = default;
  // Sets the text of a status-bar panel (the load writes its error count to panel 1).
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // A plain message with one OK button and the program title as caption, written as the
  // conversion's message naming writes it: code page 1252 unless the front end chose its own.
  virtual void ShowMessage(const std::string& text) = 0;
  // Asked from the thread of a load as often as it reports its progress, and between its
  // longer steps: true ends the load there, with nothing to show. A front end whose user cannot
  // stop a load keeps the default.
  virtual bool StopRequested() { return false; }
};
