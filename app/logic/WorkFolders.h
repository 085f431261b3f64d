#pragma once

#include "app/logic/Desktop.h"
#include "app/logic/FileRefusal.h"

#include <filesystem>

// Where the window keeps its remembered folders and its work folders.
struct TWorkFolders {
  // The ini file of the remembered folders.
  std::filesystem::path IniFile;
  // The folder that holds InBox and OutBox; a remembered folder given without a full path
  // starts here.
  std::filesystem::path WorkDir;
  // The sample tournaments a new InBox receives; empty when it receives none.
  std::filesystem::path Examples;
};

// An executable with the installed data folder ("../share/morvelander") beside its folder is
// an installed program: its ini file is the user's, in the config folder, and its work folders
// are under the user's documents. Any other copy keeps everything beside the executable.
TWorkFolders ChooseWorkFolders(const std::filesystem::path& exePath, TDesktop& desktop);

// Copies the sample tournaments (*.csv) into the folder; stops at the first that cannot be
// copied, and tells why.
[[nodiscard]] TFileOutcome CopyExamples(const std::filesystem::path& examples,
                                        const std::filesystem::path& folder);
