#pragma once

#include "app/logic/Desktop.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

// Answers the window's questions from a queue and records everything it was asked to do.
class TFakeDesktop : public TDesktop {
public:
  // Answers for Confirm, first to last; "&Nee" once they run out.
  std::deque<bool> Answers;
  // What the save dialog returns; none is a cancelled dialog.
  std::optional<std::filesystem::path> SaveAnswer;
  // Called at every repaint, so a test can look at the state shown mid-command.
  std::function<void()> OnRepaint;
  // The user's folders.
  std::filesystem::path Config;
  std::filesystem::path Documents;
  // Whether the desktop has a trash; the fake's trash only records what it took.
  bool HasTrash = true;
  // What OpenPath answers.
  bool OpenSucceeds = true;
  // Whether the desktop has a file manager that shows a file in its folder.
  bool HasFileManager = true;

  std::vector<std::string> Questions;
  std::vector<std::string> Messages;
  std::vector<std::string> Errors;
  std::vector<std::filesystem::path> SaveSuggestions;
  std::vector<std::string> Clipboard;
  int Beeps = 0;
  int Repaints = 0;
  std::vector<std::filesystem::path> Trashed;
  std::vector<std::filesystem::path> Opened;
  std::vector<std::filesystem::path> ShownInFileManager;
  std::vector<std::string> Abouts;
  // The folders watched now, and whom to tell of a change.
  std::vector<std::filesystem::path> Watched;
  std::function<void()> FolderChanged;
  // Called at every turn of a wait for work beside the window, and how many turns there were.
  std::function<void()> OnWait;
  int WaitTurns = 0;

  bool Confirm(const std::string& question) override {
    Questions.push_back(question);
    if (Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  std::optional<std::filesystem::path>
  SaveDialog(const std::filesystem::path& suggestedPath) override {
    SaveSuggestions.push_back(suggestedPath);
    return SaveAnswer;
  }
  void Beep() override { ++Beeps; }
  void SetClipboardText(const std::string& text) override { Clipboard.push_back(text); }
  void Repaint() override {
    ++Repaints;
    if (OnRepaint) OnRepaint();
  }
  std::filesystem::path ConfigFolder() override { return Config; }
  std::filesystem::path DocumentsFolder() override { return Documents; }
  bool MoveToTrash(const std::filesystem::path& file) override {
    if (!HasTrash) return false;
    Trashed.push_back(file);
    std::error_code ec;
    std::filesystem::remove(file, ec);
    return true;
  }
  bool OpenPath(const std::filesystem::path& path) override {
    Opened.push_back(path);
    return OpenSucceeds;
  }
  bool ShowInFileManager(const std::filesystem::path& file) override {
    if (!HasFileManager) return false;
    ShownInFileManager.push_back(file);
    return true;
  }
  void ShowAbout(const std::string& text) override { Abouts.push_back(text); }
  void WatchFolders(const std::vector<std::filesystem::path>& folders,
                    std::function<void()> changed) override {
    Watched = folders;
    FolderChanged = std::move(changed);
  }
  // Every turn of a wait first gives the test its turn, as the user's events would come.
  void WaitUntil(const std::function<bool()>& ended, const std::function<void()>& tick) override {
    for (;;) {
      ++WaitTurns;
      if (OnWait) OnWait();
      tick();
      if (ended()) return;
      std::unique_lock lock(FWakeMutex);
      FWakeSignal.wait_for(lock, std::chrono::milliseconds(10), [this] { return FWoken; });
      FWoken = false;
    }
  }
  void Wake() override {
    {
      const std::lock_guard lock(FWakeMutex);
      FWoken = true;
    }
    FWakeSignal.notify_one();
  }

  // Forgets what was recorded so far, keeping the answers.
  void ClearRecords() {
    Questions.clear();
    Messages.clear();
    Errors.clear();
    SaveSuggestions.clear();
    Clipboard.clear();
    Beeps = 0;
    Repaints = 0;
    Trashed.clear();
    Opened.clear();
    ShownInFileManager.clear();
    Abouts.clear();
  }

private:
  std::mutex FWakeMutex;
  std::condition_variable FWakeSignal;
  bool FWoken = false;
};
