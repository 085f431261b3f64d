#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// One entry of a folder as the lists show it.
struct TFolderItem {
  std::filesystem::path Path;
  // The name in code page 1252.
  std::string Text;
  bool operator==(const TFolderItem&) const = default;
};

// The order of the lists: by name without regard to case.
bool ShownBefore(const TFolderItem& a, const TFolderItem& b);

// Whether a name is shown in the lists at all: hidden names are not.
bool IsShownName(const std::string& text);

// The entries of a folder that are not hidden and that `keep` accepts, sorted by name without
// regard to case; a folder that cannot be read lists none.
std::vector<TFolderItem>
VisibleEntries(const std::filesystem::path& folder,
               const std::function<bool(const std::filesystem::directory_entry& entry,
                                        const std::string& text)>& keep);
