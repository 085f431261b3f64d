#include "app/logic/RememberedSettings.h"

#include "app/logic/IniFile.h"
#include "core/text/Cp1252.h"

#include <charconv>
#include <exception>
#include <string>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const char* const IniSection = "LastSession";
const char* const InMapKey = "DataInMap";
const char* const OutMapKey = "DataOutMap";
const char* const WindowSection = "Window";
const char* const BoundsKeys[4] = {"Left", "Top", "Width", "Height"};
const char* const MaximizedKey = "Maximized";

// A whole decimal number, or none.
std::optional<int> IntValue(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

// The ini file holds paths in the file system's own encoding; an older installation wrote
// them in code page 1252.
fs::path RememberedPath(const std::string& value) {
  return fs::path(IsUtf8(value) ? value : Cp1252ToUtf8(value));
}

} // namespace

void TRememberedSettings::ApplyFolders(TFolderChooser& in, TFolderChooser& out) const {
  std::error_code ec;
  if (!fs::is_regular_file(FIniFile, ec)) return;
  ApplyFolder(in, InMapKey);
  ApplyFolder(out, OutMapKey);
}

void TRememberedSettings::ApplyFolder(TFolderChooser& chooser, const char* key) const {
  const TIniFile ini(FIniFile);
  const std::string value = ini.ReadString(IniSection, key, chooser.Directory().string());
  if (value.empty()) return;
  const fs::path folder = FWorkDir / RememberedPath(value);
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return;
  // A folder that cannot be entered leaves the chooser where it was, as a missing one does.
  std::ignore = chooser.SetDirectory(folder);
}

TFileOutcome TRememberedSettings::Store(const fs::path& in, const fs::path& out,
                                        const std::optional<TWindowBounds>& bounds) const {
  // The user's config folder may not exist yet.
  std::error_code ec;
  fs::create_directories(FIniFile.parent_path(), ec);
  std::vector<TIniSetting> settings = {{IniSection, InMapKey, in.string()},
                                       {IniSection, OutMapKey, out.string()}};
  if (bounds) {
    const int values[4] = {bounds->Left, bounds->Top, bounds->Width, bounds->Height};
    for (int i = 0; i < 4; ++i)
      settings.push_back({WindowSection, BoundsKeys[i], std::to_string(values[i])});
    settings.push_back({WindowSection, MaximizedKey, bounds->Maximized ? "1" : "0"});
  }
  return TIniFile(FIniFile).WriteStrings(settings);
}

std::optional<TWindowBounds> TRememberedSettings::Bounds() const {
  const TIniFile ini(FIniFile);
  int values[4] = {};
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> value = IntValue(ini.ReadString(WindowSection, BoundsKeys[i], ""));
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return TWindowBounds{values[0], values[1], values[2], values[3],
                       ini.ReadString(WindowSection, MaximizedKey, "0") == "1"};
}
