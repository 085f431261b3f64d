#include "app/logic/FolderListing.h"

#include "core/text/Cp1252.h"
#include "core/text/TextCase.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

bool ShownBefore(const TFolderItem& a, const TFolderItem& b) {
  return CompareNoCase(a.Text, b.Text) < 0;
}

bool IsShownName(const std::string& text) {
  return !text.empty() && text.front() != '.';
}

std::vector<TFolderItem>
VisibleEntries(const fs::path& folder,
               const std::function<bool(const fs::directory_entry&, const std::string&)>& keep) {
  std::vector<TFolderItem> items;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string text = FileNameText(it->path());
    if (!IsShownName(text) || !keep(*it, text)) continue;
    items.push_back({it->path(), std::move(text)});
  }
  std::sort(items.begin(), items.end(), ShownBefore);
  return items;
}
