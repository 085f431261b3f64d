#pragma once

#include "app/logic/FolderListing.h"

#include <filesystem>
#include <string>
#include <vector>

// Whether a file name matches a mask of '*' and '?' wildcards, without regard to case.
bool MatchesMask(std::string_view name, std::string_view mask);

// The files of one folder whose names match the mask: plain files only, no hidden ones,
// sorted by name without regard to case, with at most one entry selected.
class TFileListBox {
public:
  explicit TFileListBox(std::string mask) : FMask(std::move(mask)) {}

  const std::string& Mask() const { return FMask; }
  const std::filesystem::path& Directory() const { return FDirectory; }
  // Shows the files of the folder; a folder that cannot be read shows none.
  void SetDirectory(const std::filesystem::path& dir);
  // Re-reads the folder and drops the selection.
  void Update();
  // Adds a file just written into the folder where a re-reading would list it, without
  // reading the folder again, and drops the selection as Update does.
  void Insert(const std::filesystem::path& file);
  // Re-reads the folder; the selected file stays selected while it is listed, and a listing
  // that did not change leaves the entries as they were.
  void Reread();

  int Count() const { return static_cast<int>(FItems.size()); }
  // The name shown for an entry, in code page 1252.
  const std::string& Item(int i) const { return FItems[static_cast<std::size_t>(i)].Text; }
  // The folder followed by the entry's name.
  std::filesystem::path FullPath(int i) const;

  // -1 when no entry is selected.
  int ItemIndex() const { return FItemIndex; }
  // An index outside the entries selects none.
  void SetItemIndex(int i);
  // The full path of the selected entry; empty when none is selected.
  std::filesystem::path FileName() const;

  // Counts the readings of the folder, so a view can tell when to show the list again.
  unsigned Generation() const { return FGeneration; }

private:
  std::vector<TFolderItem> ReadItems() const;

  std::string FMask;
  std::filesystem::path FDirectory;
  std::vector<TFolderItem> FItems;
  int FItemIndex = -1;
  unsigned FGeneration = 0;
};
