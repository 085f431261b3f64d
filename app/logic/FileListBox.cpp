#include "app/logic/FileListBox.h"

#include "core/text/TextCase.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

bool MatchesMask(std::string_view name, std::string_view mask) {
  // Greedy matching with one back-track point: the last '*' seen.
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || LowerCp1252(mask[m]) == LowerCp1252(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

void TFileListBox::SetDirectory(const fs::path& dir) {
  FDirectory = dir;
  Update();
}

std::vector<TFolderItem> TFileListBox::ReadItems() const {
  if (FDirectory.empty()) return {};
  return VisibleEntries(FDirectory,
                        [this](const fs::directory_entry& entry, const std::string& text) {
                          std::error_code ec;
                          return entry.is_regular_file(ec) && MatchesMask(text, FMask);
                        });
}

void TFileListBox::Update() {
  FItems = ReadItems();
  FItemIndex = -1;
  ++FGeneration;
}

void TFileListBox::Reread() {
  std::vector<TFolderItem> items = ReadItems();
  if (items == FItems) return;
  const fs::path selected = FileName();
  FItems = std::move(items);
  ++FGeneration;
  FItemIndex = -1;
  for (int i = 0; i < Count() && !selected.empty(); ++i)
    if (FullPath(i) == selected) FItemIndex = i;
}

void TFileListBox::Insert(const fs::path& file) {
  FItemIndex = -1;
  ++FGeneration;
  std::error_code ec;
  TFolderItem item{FDirectory / file.filename(), FileNameText(file)};
  if (!IsShownName(item.Text) || !MatchesMask(item.Text, FMask) ||
      !fs::is_regular_file(item.Path, ec))
    return;
  const auto at = std::lower_bound(FItems.begin(), FItems.end(), item, ShownBefore);
  if (at != FItems.end() && at->Text == item.Text) return;
  FItems.insert(at, std::move(item));
}

fs::path TFileListBox::FullPath(int i) const {
  return FItems[static_cast<std::size_t>(i)].Path;
}

void TFileListBox::SetItemIndex(int i) {
  FItemIndex = i >= 0 && i < Count() ? i : -1;
}

fs::path TFileListBox::FileName() const {
  return FItemIndex < 0 ? fs::path() : FullPath(FItemIndex);
}
