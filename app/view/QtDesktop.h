#pragma once

#include "app/logic/Desktop.h"

#include <QString>

#include <functional>
#include <memory>

class QEventLoop;
class QFileSystemWatcher;
class QWidget;

// The desktop of a running window: Qt message boxes, the save dialog, the beep, the clipboard,
// the trash, the default programs and a folder watch. Repaint asks the window to show the logic's
// state and paints it at once.
class TQtDesktop : public TDesktop {
public:
  TQtDesktop(QWidget* parent, QString title, std::function<void()> repaint);
  ~TQtDesktop() override;

  bool Confirm(const std::string& question) override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  std::optional<std::filesystem::path>
  SaveDialog(const std::filesystem::path& suggestedPath) override;
  void Beep() override;
  void SetClipboardText(const std::string& text) override;
  void Repaint() override;
  std::filesystem::path ConfigFolder() override;
  std::filesystem::path DocumentsFolder() override;
  bool MoveToTrash(const std::filesystem::path& file) override;
  bool OpenPath(const std::filesystem::path& path) override;
  bool ShowInFileManager(const std::filesystem::path& file) override;
  void ShowAbout(const std::string& text) override;
  void WatchFolders(const std::vector<std::filesystem::path>& folders,
                    std::function<void()> changed) override;
  void WaitUntil(const std::function<bool()>& ended, const std::function<void()>& tick) override;
  void Wake() override;

private:
  QWidget* FParent;
  QString FTitle;
  std::function<void()> FRepaint;
  std::unique_ptr<QFileSystemWatcher> FWatcher;
  std::function<void()> FFolderChanged;
  // The loop of the wait going on, and what it waits for.
  QEventLoop* FWaitLoop = nullptr;
  const std::function<bool()>* FWaitEnded = nullptr;
};

// A question's or message's text for a dialog: CR, alone or before LF, becomes a line break.
QString DialogText(const std::string& text);
