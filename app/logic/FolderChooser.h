#pragma once

#include "app/logic/FileListBox.h"
#include "app/logic/FileRefusal.h"

#include <filesystem>
#include <string>
#include <vector>

// One line of a folder chooser: a folder of the current folder's path chain, or one of its
// sub-folders.
struct TFolderEntry {
  std::filesystem::path Path;
  // The name shown, in code page 1252; the root shows its full path.
  std::string Text;
  // The depth below the root: 0 for the root, one more for each step down.
  int Level = 0;
  // True for the current folder and its ancestors, false for the sub-folders.
  bool Open = false;
  bool operator==(const TFolderEntry&) const = default;
};

// The current folder as a chain from the root down to it, followed by its visible sub-folders
// sorted by name without regard to case. A linked file list follows the current folder.
class TFolderChooser {
public:
  // Full path without a trailing separator, except for the root; empty before the first
  // SetDirectory.
  const std::filesystem::path& Directory() const { return FDirectory; }
  // Makes the folder current and lists it. When it cannot be listed, the chooser stays as it
  // was and the refusal says why.
  [[nodiscard]] TFileOutcome SetDirectory(const std::filesystem::path& dir);
  // Re-reads the sub-folders; a folder that vanished lists none.
  void Update();

  const std::vector<TFolderEntry>& Entries() const { return FEntries; }
  // The index of the current folder in Entries.
  int DirectoryIndex() const { return FDirectoryIndex; }
  // Makes the folder of an entry current, as a double-click does.
  [[nodiscard]] TFileOutcome OpenEntry(int index);

  // The file list that shows the current folder; none when null.
  void SetFileList(TFileListBox* list);

  // Counts the readings that changed the entries, so a view can tell when to show them again.
  unsigned Generation() const { return FGeneration; }

private:
  void ReadEntries();

  std::filesystem::path FDirectory;
  std::vector<TFolderEntry> FEntries;
  int FDirectoryIndex = -1;
  TFileListBox* FFileList = nullptr;
  unsigned FGeneration = 0;
};

// An absolute, lexically normal path without a trailing separator (the root keeps its own).
std::filesystem::path NormalFolderPath(const std::filesystem::path& dir);
