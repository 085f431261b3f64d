#pragma once

#include "app/logic/Desktop.h"
#include "app/logic/FileListBox.h"
#include "app/logic/FolderChooser.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where on the window something was dropped: on the input folder's side, on the output
// folder's side, or elsewhere.
enum class TDropSide { Input, Output, Elsewhere };

// What a drop brings: a folder for the side it was dropped on, and the input files to copy.
struct TDropped {
  std::optional<std::filesystem::path> Folder;
  std::vector<std::filesystem::path> Files;
};

// The window's commands on files of its folders: open, show in the file manager, delete, and
// take what is dropped. Each asks and tells the user through the desktop.
class TFileCommands {
public:
  explicit TFileCommands(TDesktop& desktop) : FDesktop(desktop) {}

  // Opens the file in the desktop's default program, or says it could not.
  void Open(const std::filesystem::path& file);
  // Shows the list's selected file in the file manager, or else opens its folder.
  void OpenFolder(const TFileListBox& list);
  // Asks "<name> verwijderen ?" for the list's selected file and moves it to the trash; the
  // list is read again (`reread`), and a file still there is reported. False when no file was
  // selected or the user declined.
  bool DeleteSelected(const TFileListBox& list, const std::function<void()>& reread);
  // Sources of a season cannot be made again, so a cleared file goes to the trash where there
  // is one. A file that cannot be removed stays without a message, and a folder is never
  // removed.
  void Delete(const std::vector<std::filesystem::path>& files);
  // "Clear": asks the question (code page 1252) and deletes the files; false when the user
  // declined.
  bool Clear(const std::vector<std::filesystem::path>& files, const char* question);
  // Points the chooser at a work folder, made when missing; a new folder receives the
  // examples, if any. A folder that cannot be made or entered is reported, and the chooser
  // shows the fallback instead.
  void OpenWorkFolder(TFolderChooser& chooser, const std::filesystem::path& folder,
                      const std::filesystem::path& examples, const std::filesystem::path& fallback);
  // Sorts what was dropped: a folder on a folder's side, and files matching the input mask;
  // everything else is refused in one message.
  TDropped Sort(const std::vector<std::filesystem::path>& paths, TDropSide side,
                const std::string& mask);
  // Copies a dropped file into the input folder, after asking before it replaces one; returns
  // the copy, or none when the user declined or it could not be made (which is told).
  std::optional<std::filesystem::path> CopyInto(const std::filesystem::path& file,
                                                const std::filesystem::path& folder);
  // Copies each file so; returns the first copy made.
  std::optional<std::filesystem::path> CopyInto(const std::vector<std::filesystem::path>& files,
                                                const std::filesystem::path& folder);

private:
  void Delete(const std::filesystem::path& file);

  TDesktop& FDesktop;
};
