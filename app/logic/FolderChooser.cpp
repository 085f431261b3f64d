#include "app/logic/FolderChooser.h"

#include "app/logic/FolderListing.h"
#include "core/text/Cp1252.h"

namespace fs = std::filesystem;

fs::path NormalFolderPath(const fs::path& dir) {
  std::error_code ec;
  fs::path path = fs::absolute(dir, ec);
  if (ec) path = dir;
  path = path.lexically_normal();
  if (!path.has_filename() && path != path.root_path()) path = path.parent_path();
  return path;
}

TFileOutcome TFolderChooser::SetDirectory(const fs::path& dir) {
  const fs::path path = NormalFolderPath(dir);
  std::error_code ec;
  fs::directory_iterator probe(path, ec);
  if (ec) return TFileRefusal{TFileRefusal::TStep::Open, path, ec};
  FDirectory = path;
  ReadEntries();
  if (FFileList) FFileList->SetDirectory(FDirectory);
  return std::nullopt;
}

void TFolderChooser::Update() {
  if (!FDirectory.empty()) ReadEntries();
}

TFileOutcome TFolderChooser::OpenEntry(int index) {
  if (index < 0 || index >= static_cast<int>(FEntries.size())) return std::nullopt;
  return SetDirectory(FEntries[static_cast<std::size_t>(index)].Path);
}

void TFolderChooser::SetFileList(TFileListBox* list) {
  FFileList = list;
  if (FFileList && !FDirectory.empty()) FFileList->SetDirectory(FDirectory);
}

void TFolderChooser::ReadEntries() {
  std::vector<TFolderEntry> entries;
  fs::path chain = FDirectory.root_path();
  entries.push_back({chain, PathText(chain), 0, true});
  int level = 0;
  for (const fs::path& part : FDirectory.relative_path()) {
    if (part.empty()) continue;
    chain /= part;
    entries.push_back({chain, PathText(part), ++level, true});
  }
  const int directoryIndex = static_cast<int>(entries.size()) - 1;

  const auto subFolders =
      VisibleEntries(FDirectory, [](const fs::directory_entry& entry, const std::string&) {
        std::error_code ec;
        return entry.is_directory(ec);
      });
  for (const TFolderItem& sub : subFolders)
    entries.push_back({sub.Path, sub.Text, level + 1, false});
  if (entries == FEntries) return;
  FEntries = std::move(entries);
  FDirectoryIndex = directoryIndex;
  ++FGeneration;
}
