#include "app/logic/FileCommands.h"

#include "app/logic/FileRefusal.h"

#include "app/logic/WorkFolders.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <exception>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::string NotOpenedMessage(const fs::path& path) {
  return DisplayPath(path) + "\r" + DisplayText(Tekst::NietGeopend);
}

std::string RefusedMessage(const std::vector<std::string>& names) {
  std::string text = DisplayText(Tekst::NietOvergenomen);
  for (const std::string& name : names) text += "\r" + name;
  return text + "\r\r" + DisplayText(Tekst::AlleenCsvEnMap);
}

} // namespace

void TFileCommands::Open(const fs::path& file) {
  if (!file.empty() && !FDesktop.OpenPath(file)) FDesktop.ShowMessage(NotOpenedMessage(file));
}

void TFileCommands::OpenFolder(const TFileListBox& list) {
  if (list.ItemIndex() >= 0 && FDesktop.ShowInFileManager(list.FileName())) return;
  if (!FDesktop.OpenPath(list.Directory()))
    FDesktop.ShowMessage(NotOpenedMessage(list.Directory()));
}

bool TFileCommands::DeleteSelected(const TFileListBox& list, const std::function<void()>& reread) {
  const fs::path file = list.FileName();
  if (file.empty() || !FDesktop.Confirm(DisplayName(file) + DisplayText(Tekst::Verwijderen)))
    return false;
  Delete(file);
  reread();
  std::error_code ec;
  if (fs::exists(fs::symlink_status(file, ec)))
    FDesktop.ShowMessage(DisplayPath(file) + "\r" + DisplayText(Tekst::NietVerwijderd));
  return true;
}

void TFileCommands::Delete(const std::vector<fs::path>& files) {
  for (const fs::path& file : files) Delete(file);
}

bool TFileCommands::Clear(const std::vector<fs::path>& files, const char* question) {
  if (!FDesktop.Confirm(DisplayText(question))) return false;
  Delete(files);
  return true;
}

void TFileCommands::Delete(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(file, ec))) return;
  if (!FDesktop.MoveToTrash(file)) fs::remove(file, ec);
}

void TFileCommands::OpenWorkFolder(TFolderChooser& chooser, const fs::path& folder,
                                   const fs::path& examples, const fs::path& fallback) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec) && fs::create_directory(folder, ec) && !examples.empty())
    ShowRefusal(FDesktop, CopyExamples(examples, folder));
  if (ShowRefusal(FDesktop, chooser.SetDirectory(folder)))
    ShowRefusal(FDesktop, chooser.SetDirectory(fallback));
}

TDropped TFileCommands::Sort(const std::vector<fs::path>& paths, TDropSide side,
                             const std::string& mask) {
  TDropped dropped;
  std::vector<std::string> refused;
  for (const fs::path& path : paths) {
    if (IsFolder(path) && side != TDropSide::Elsewhere && !dropped.Folder)
      dropped.Folder = path;
    else if (FileExists(path) && MatchesMask(FileNameText(path), mask))
      dropped.Files.push_back(path);
    else
      refused.push_back(DisplayPath(path));
  }
  if (!refused.empty()) FDesktop.ShowMessage(RefusedMessage(refused));
  return dropped;
}

std::optional<fs::path> TFileCommands::CopyInto(const fs::path& file, const fs::path& folder) {
  const fs::path target = folder / file.filename();
  std::error_code ec;
  if (fs::equivalent(file, target, ec)) return target;
  if (fs::exists(target, ec) &&
      !FDesktop.Confirm(DisplayName(target) + "\r\r" + DisplayText(Tekst::Overschrijven)))
    return std::nullopt;
  fs::copy_file(file, target, fs::copy_options::overwrite_existing, ec);
  if (!ec) return target;
  FDesktop.ShowMessage(DisplayPath(target) + "\r" + DisplayText(NietGemaaktText(ec)));
  return std::nullopt;
}

std::optional<fs::path> TFileCommands::CopyInto(const std::vector<fs::path>& files,
                                                const fs::path& folder) {
  std::optional<fs::path> first;
  for (const fs::path& file : files) {
    const std::optional<fs::path> copy = CopyInto(file, folder);
    if (!first) first = copy;
  }
  return first;
}
