#pragma once

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Everything modal or physical the window logic needs of the desktop. The Qt window answers
// for real; tests answer with a fake that records what was asked. The texts of questions and
// messages are UTF-8, so that names of files and folders show as they are: the program's own
// code page 1252 texts pass through DisplayText, names through DisplayPath or DisplayName.
class TDesktop {
public:
  virtual ~TDesktop() = default;

  // A question with caption "Bevestigen", a question icon, "&Ja" (default) and "&Nee"
  // (Escape). Only "&Ja" answers true.
  virtual bool Confirm(const std::string& question) = 0;
  // A plain message: the program title as caption, one "OK" button, no icon.
  virtual void ShowMessage(const std::string& text) = 0;
  // The error box: error icon, "OK", the program title as caption and ErrorBoxText(text).
  virtual void ShowError(const std::string& text) = 0;
  // The save dialog opened on the suggested file; none when the user cancels.
  virtual std::optional<std::filesystem::path>
  SaveDialog(const std::filesystem::path& suggestedPath) = 0;
  virtual void Beep() = 0;
  // Replaces the clipboard with the UTF-8 text.
  virtual void SetClipboardText(const std::string& text) = 0;
  // Shows the logic's current state at once, without taking user input.
  virtual void Repaint() = 0;
  // The user's folder for this program's settings, and the user's documents folder; neither
  // needs to exist yet.
  virtual std::filesystem::path ConfigFolder() = 0;
  virtual std::filesystem::path DocumentsFolder() = 0;
  // Moves the file to the desktop's trash; false when that cannot be done (a system without a
  // trash), and the file then stays where it is.
  virtual bool MoveToTrash(const std::filesystem::path& file) = 0;
  // Opens a file with the desktop's default program for it, or a folder in the file manager;
  // false when the desktop could not.
  virtual bool OpenPath(const std::filesystem::path& path) = 0;
  // Shows the file, selected, in its folder through the file manager's interface; false when
  // the desktop offers none or it failed.
  virtual bool ShowInFileManager(const std::filesystem::path& file) = 0;
  // The box of F1: caption "Over Morvelander", the program's icon, one "OK" button.
  virtual void ShowAbout(const std::string& text) = 0;
  // Watches the folders, in place of those watched so far, and calls `changed` between events
  // when entries appear in one of them or vanish from it. No folders stops the watch.
  virtual void WatchFolders(const std::vector<std::filesystem::path>& folders,
                            std::function<void()> changed) = 0;
  // Takes the user's events until `ended` holds, calling `tick` about every 100 ms so the
  // window can show how far a work beside it is. `ended` is asked again soon after Wake.
  virtual void WaitUntil(const std::function<bool()>& ended, const std::function<void()>& tick) = 0;
  // Any thread may call it: what WaitUntil waits for may hold now.
  virtual void Wake() = 0;
};

// A code page 1252 text of the program for a question or message.
std::string DisplayText(std::string_view cp1252);
// What failed in the program's words (code page 1252), CR, then the detail the failure gave.
std::string FailureText(const char* what, const std::exception& e);
// A path or a file name as the file system holds it, for a question or message.
std::string DisplayPath(const std::filesystem::path& path);
std::string DisplayName(const std::filesystem::path& path);

// The executable's file name cut at its first ".", every letter after the first in lower case.
std::string ProgramTitle(const std::filesystem::path& exePath);
