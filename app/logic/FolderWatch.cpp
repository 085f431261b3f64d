#include "app/logic/FolderWatch.h"

#include <algorithm>

namespace fs = std::filesystem;

void TFolderWatch::Follow(const std::vector<fs::path>& folders) {
  std::vector<fs::path> wanted;
  for (const fs::path& dir : folders)
    if (!dir.empty() && std::find(wanted.begin(), wanted.end(), dir) == wanted.end())
      wanted.push_back(dir);
  if (wanted != FWatched) {
    FWatched = wanted;
    FDesktop.WatchFolders(FWatched, [this] { Changed(); });
  }
  if (FPending) {
    FPending = false;
    Changed();
  }
}

void TFolderWatch::Stop() {
  FDesktop.WatchFolders({}, nullptr);
  FWatched.clear();
}

void TFolderWatch::Changed() {
  // A command that repaints mid-way (the batch writing its reports) is not interrupted; its
  // lists are read again once it ends.
  if (FBusy()) {
    FPending = true;
    return;
  }
  FChanged();
}
