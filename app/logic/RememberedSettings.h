#pragma once

#include "app/logic/FolderChooser.h"

#include <filesystem>
#include <optional>

// Where the window was and how large, in the desktop's pixels; the size and place it has when
// not maximized.
struct TWindowBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = false;
  bool operator==(const TWindowBounds&) const = default;
};

// What the window remembers between sessions in its ini file: the two folders last in use
// (section "LastSession") and its bounds (section "Window").
class TRememberedSettings {
public:
  // Folders remembered without a full path start in the work folder.
  TRememberedSettings(std::filesystem::path iniFile, std::filesystem::path workDir)
      : FIniFile(std::move(iniFile)), FWorkDir(std::move(workDir)) {}

  // Points each chooser at its remembered folder; one that no longer exists, or cannot be
  // entered, is passed over silently.
  void ApplyFolders(TFolderChooser& in, TFolderChooser& out) const;
  // Keeps the folders and, when known, the bounds, in one write: all of them or none.
  [[nodiscard]] TFileOutcome Store(const std::filesystem::path& in,
                                   const std::filesystem::path& out,
                                   const std::optional<TWindowBounds>& bounds) const;
  // The bounds the window had when it last closed; none when they were not kept.
  std::optional<TWindowBounds> Bounds() const;

private:
  void ApplyFolder(TFolderChooser& chooser, const char* key) const;

  std::filesystem::path FIniFile;
  std::filesystem::path FWorkDir;
};
