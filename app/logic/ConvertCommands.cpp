#include "app/logic/ConvertCommands.h"

#include "app/logic/WindowRunListener.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

} // namespace

const TMessageNaming& WindowNaming() {
  static const TMessageNaming naming{DisplayText, DisplayName, DisplayPath};
  return naming;
}

TConvertCommands::TConvertCommands(TConversion& conversion, TDesktop& desktop)
    : FConversion(conversion), FDesktop(desktop) {
  // Only a single load shows how far it is; a run counts its files.
  FConversion.Toernooi.OnProgress = [this](std::size_t read, std::size_t size) {
    if (FSingleLoad) FBeside.SetProgress(read, size);
  };
}

TConvertResult TConvertCommands::Open(const fs::path& path) {
  TConvertResult result;
  const std::string name = FileNameText(path);
  RunBeside(
      true, [&] { result = FConversion.Open(path); }, [&] { ShowLoadProgress(name); });
  return result;
}

void TConvertCommands::Save(const fs::path& outDir) {
  // Without a report to save the dialog does not open: the user is told why.
  const TConvertResult allowed = FConversion.CanSave();
  if (!allowed.Done()) {
    Show(allowed);
    return;
  }
  const auto chosen = FDesktop.SaveDialog(FConversion.ReportTarget(outDir));
  if (!chosen) return;
  Show(FConversion.Save(*chosen, [&] {
    const std::string question =
        DisplayName(*chosen) + "\r\r" +
        DisplayText(FileExists(*chosen) ? Tekst::Overschrijven : Tekst::Bewaren);
    FDesktop.Repaint();
    return FDesktop.Confirm(question);
  }));
}

std::string TConvertCommands::RunAll(
    const std::vector<fs::path>& files, const fs::path& outDir,
    const std::function<void(const TConvertResult&, bool, const std::string&)>& fileEnded) {
  TWindowRunListener run(FBeside, files.size());
  // The run's thread hands each converted file to the window's thread, which shows it. A file
  // that gave no report says why on its row of the error list, not in a message of its own: a
  // run over a folder the user cannot write to would stop at every file.
  run.OnFileEnded = [&](const TConvertResult& result) -> std::function<void()> {
    return [&fileEnded, &run, result, report = FConversion.HasReport()] {
      fileEnded(result, report, run.ProgressText());
    };
  };
  const auto job = [&] {
    TConversionRun driver(FConversion, run);
    driver.ListRefused = true;
    driver.Run(files, outDir);
  };
  RunBeside(false, job, [&] {
    FProgressText = run.ProgressText();
    FDesktop.Repaint();
  });
  // A run that a failure ended, no later report being writable, says so once; its file's row
  // says it too.
  if (run.Ending()) FDesktop.ShowMessage(run.Ending()->Text(WindowNaming()));
  return run.EndText(FileNameText(outDir.filename()));
}

void TConvertCommands::Show(const TConvertResult& result) {
  if (result.Told()) FDesktop.ShowMessage(result.Text(WindowNaming()));
}

void TConvertCommands::RunBeside(bool singleLoad, const std::function<void()>& job,
                                 const std::function<void()>& tick) {
  FSingleLoad = singleLoad;
  FProgressText.clear();
  try {
    FBeside.Run(FDesktop, job, tick);
  } catch (...) {
    FSingleLoad = false;
    throw;
  }
  FSingleLoad = false;
}

void TConvertCommands::ShowLoadProgress(const std::string& name) {
  const std::size_t total = FBeside.Total();
  if (total == 0) return;
  FProgressText = LoadProgressText(name, FBeside.Done(), total);
  FDesktop.Repaint();
}
