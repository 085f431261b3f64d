#include "app/logic/WorkFolders.h"

#include "app/logic/FileListBox.h"
#include "app/logic/FolderChooser.h"
#include "core/text/InvoerBestand.h"
#include <system_error>

namespace fs = std::filesystem;

TWorkFolders ChooseWorkFolders(const fs::path& exePath, TDesktop& desktop) {
  const fs::path exe = NormalFolderPath(exePath);
  const fs::path programDir = exe.parent_path();
  fs::path ini = exe.filename();
  ini.replace_extension(".ini");
  const fs::path data = programDir.parent_path() / "share" / "morvelander";
  std::error_code ec;
  if (!fs::is_directory(data, ec)) return {programDir / ini, programDir, {}};
  return {desktop.ConfigFolder() / ini, desktop.DocumentsFolder() / "Morvelander",
          data / "examples"};
}

TFileOutcome CopyExamples(const fs::path& examples, const fs::path& folder) {
  const auto samples =
      VisibleEntries(examples, [](const fs::directory_entry& entry, const std::string& text) {
        std::error_code ec;
        return entry.is_regular_file(ec) && MatchesMask(text, InvoerMasker());
      });
  for (const TFolderItem& sample : samples) {
    const fs::path target = folder / sample.Path.filename();
    std::error_code ec;
    if (!fs::copy_file(sample.Path, target, fs::copy_options::skip_existing, ec) && ec)
      return TFileRefusal{TFileRefusal::TStep::Make, target, ec};
  }
  return std::nullopt;
}
