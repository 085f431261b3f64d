#pragma once

#include "app/logic/Desktop.h"

#include <filesystem>
#include <functional>
#include <vector>

// Follows the window's two folders: a change in either, made by another program, reads the
// lists again. A change while a command runs waits for the command's end, which may read them
// itself.
class TFolderWatch {
public:
  // `busy` says whether a command runs now; `changed` reads the lists again.
  TFolderWatch(TDesktop& desktop, std::function<bool()> busy, std::function<void()> changed)
      : FDesktop(desktop), FBusy(std::move(busy)), FChanged(std::move(changed)) {}

  // After a command: watches the folders (one when both are the same; none empty), and takes
  // up a change that came while the command ran.
  void Follow(const std::vector<std::filesystem::path>& folders);
  // Watches nothing any more.
  void Stop();

private:
  void Changed();

  TDesktop& FDesktop;
  std::function<bool()> FBusy;
  std::function<void()> FChanged;
  std::vector<std::filesystem::path> FWatched;
  bool FPending = false;
};
