#pragma once

#include "app/logic/BackgroundWork.h"
#include "app/logic/Desktop.h"
#include "core/run/Conversion.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The window's messages give the program's words and names of files as the desktop shows them.
const TMessageNaming& WindowNaming();

// The window's conversions: opening one file, saving its report, and "Alle". A load and a run
// work beside the window, which shows their progress meanwhile; the user is asked and told
// through the desktop.
class TConvertCommands {
public:
  TConvertCommands(TConversion& conversion, TDesktop& desktop);
  TConvertCommands(const TConvertCommands&) = delete;
  TConvertCommands& operator=(const TConvertCommands&) = delete;

  // Reads one file beside the window, showing how far the load is; Stop ends it at once.
  TConvertResult Open(const std::filesystem::path& path);
  // Asks where to save the report of the file last read, and saves it there after asking
  // before it replaces a file; says why when there is no report to save.
  void Save(const std::filesystem::path& outDir);
  // "Alle": converts the files into the folder beside the window. Each ended file is handed to
  // `fileEnded` on the window's thread, with whether the conversion holds a report and how far
  // the run is. A failure that ends the run is told in one message. Returns how far a run got
  // that ended early, or else what it made.
  std::string
  RunAll(const std::vector<std::filesystem::path>& files, const std::filesystem::path& outDir,
         const std::function<void(const TConvertResult&, bool report, const std::string& progress)>&
             fileEnded);
  // What a conversion refused and why, in a plain message, when the user is told.
  void Show(const TConvertResult& result);

  // Whether a load or a run works beside the window; any thread may ask.
  bool Working() const { return FBeside.Running(); }
  // Esc or "Stop": a load ends at once, a run after the file it is on.
  void Stop() { FBeside.Stop(); }
  // Asked by a load from its thread: whether the user stopped it.
  bool StopRequested() const { return FSingleLoad && FBeside.Stopped(); }
  // How far the command beside the window is; empty when it has nothing to tell yet.
  const std::string& ProgressText() const { return FProgressText; }

private:
  // Runs the job beside the window; a single load can be stopped midway, a run only between
  // files.
  void RunBeside(bool singleLoad, const std::function<void()>& job,
                 const std::function<void()>& tick);
  void ShowLoadProgress(const std::string& name);

  TConversion& FConversion;
  TDesktop& FDesktop;
  TBackgroundWork FBeside;
  bool FSingleLoad = false;
  std::string FProgressText;
};
