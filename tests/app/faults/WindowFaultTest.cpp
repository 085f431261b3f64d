// Fails each file call the window's commands make on its folders in turn (the fault shim is
// linked into this test) and checks what the user keeps and is shown.

#include "FakeDesktop.h"
#include "TestFiles.h"
#include "app/logic/MainForm.h"
#include "faults/FaultShim.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string OldReport = "oud\r\n";
const std::regex WholeIni("\\[LastSession\\]\r\nDataInMap=[^\r\n]+\r\nDataOutMap=[^\r\n]+\r\n");

// A window over a fresh folder, the fault shim counting the calls on that folder's files
// while a command runs.
struct TWindow {
  TTempDir Temp;
  TFakeDesktop Desktop;
  TMainForm Form{Temp.Path() / "Morvelander", Desktop, '.'};
  fs::path InBox = Temp / "InBox";
  fs::path OutBox = Temp / "OutBox";

  // Runs the command with call `at` failing; returns the calls it made.
  long Run(long at, const std::function<void()>& command) {
    Desktop.ClearRecords();
    FaultArm(Temp.Path(), at);
    command();
    const long calls = FaultCount();
    Failed = FaultFailed();
    FaultArm("", 0);
    return calls;
  }
  // The call that failed.
  std::string Failed;
  std::set<std::string> Names(const fs::path& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
  }
};

// A command, its setup, and what is checked after it ran under a fault.
struct TCommand {
  const char* Name;
  std::function<void(TWindow&)> Setup;
  std::function<void(TWindow&)> Run;
  // `told` is everything the user was shown; `whole` whether every file the command writes
  // is the whole new one.
  std::function<void(TWindow&, const std::string& told, bool whole)> Check;
};

std::string Told(const TWindow& w) {
  std::string told;
  for (const std::string& m : w.Desktop.Messages) told += m + "\n";
  for (int r = 0; r < w.Form.ErrorGrid.RowCount(); ++r)
    told += std::string(w.Form.ErrorGrid.GetCell(2, r)) + "\n";
  return told;
}

bool Says(const std::string& told, const fs::path& path) {
  return told.find(path.string()) != std::string::npos &&
         (told.find("Kan niet ") != std::string::npos ||
          told.find("Geen toegang") != std::string::npos);
}

void Start(TWindow& w) {
  WriteBytes(w.InBox / "a.csv", TournamentCsv());
  WriteBytes(w.InBox / "b.csv", TournamentCsv("Toernooi b"));
  w.Form.FormCreate();
  w.Form.FormActivate();
  WriteBytes(w.OutBox / "a.txt", OldReport);
}

TEST(WindowUnderFaults, EveryFailedFileCallOfACommandKeepsTheFilesAndSaysWhy) {
  const TCommand commands[] = {
      {"Bewaar Fide2006",
       [](TWindow& w) {
         Start(w);
         w.Form.InFileListBox.SetItemIndex(0);
         w.Form.InFileListBoxDblClick();
       },
       [](TWindow& w) {
         w.Desktop.SaveAnswer = w.OutBox / "a.txt";
         w.Desktop.Answers = {true};
         w.Form.SaveDataBitBtnClick();
       },
       [](TWindow& w, const std::string& told, bool whole) {
         EXPECT_TRUE(whole || Says(told, w.OutBox / "a.txt")) << told;
       }},
      {"Alle", Start,
       [](TWindow& w) {
         w.Desktop.Answers = {true};
         w.Form.DoAllBitBtnClick();
       },
       [](TWindow& w, const std::string& told, bool whole) {
         EXPECT_TRUE(whole || told.find("Kan niet ") != std::string::npos ||
                     told.find("Geen toegang") != std::string::npos)
             << told;
         // One fault costs at most one file its report, unless it fills the disk, which ends
         // the run.
         EXPECT_TRUE(ReadBytes(w.OutBox / "a.txt") != OldReport || fs::exists(w.OutBox / "b.txt") ||
                     told.find("De schijf is vol.") != std::string::npos);
       }},
      {"start and close", [](TWindow&) {},
       [](TWindow& w) {
         w.Form.FormCreate();
         w.Form.FormActivate();
         w.Form.FormCloseQuery();
       },
       [](TWindow& w, const std::string& told, bool whole) {
         EXPECT_TRUE(whole || told.find("Kan niet ") != std::string::npos) << told;
         EXPECT_TRUE(w.Form.InDirectoryListBox.Directory() == w.InBox ||
                     w.Form.InDirectoryListBox.Directory() == w.Temp.Path());
       }},
  };
  long tried = 0;
  for (const TCommand& c : commands) {
    SCOPED_TRACE(c.Name);
    // The files the command writes without a fault, and their bytes.
    std::vector<std::pair<fs::path, std::string>> written;
    long calls = 0;
    {
      TWindow w;
      c.Setup(w);
      calls = w.Run(0, [&] { c.Run(w); });
      ASSERT_TRUE(w.Desktop.Messages.empty() && w.Desktop.Errors.empty());
      for (const char* name : {"OutBox/a.txt", "OutBox/b.txt", "Morvelander.ini"})
        if (fs::exists(w.Temp / name) && ReadBytes(w.Temp / name) != OldReport)
          written.emplace_back(name, ReadBytes(w.Temp / name));
      ASSERT_FALSE(written.empty());
    }
    ASSERT_GT(calls, 3);
    for (long at = 1; at <= calls; ++at) {
      TWindow w;
      c.Setup(w);
      w.Run(at, [&] { c.Run(w); });
      SCOPED_TRACE("call " + std::to_string(at) + ": " + w.Failed);
      const std::string told = Told(w);
      EXPECT_TRUE(w.Desktop.Errors.empty());
      // Every file the command writes is its old self (or none) or the whole new one, and no
      // temporary file stays.
      bool whole = true;
      for (const auto& [name, want] : written) {
        const std::string bytes = ReadBytes(w.Temp / name);
        // The settings name the folders the window ended in, which a failed folder changes.
        const bool isNew =
            name == "Morvelander.ini" ? std::regex_match(bytes, WholeIni) : bytes == want;
        whole = whole && isNew;
        if (!isNew) {
          EXPECT_EQ(bytes, name == "OutBox/a.txt" ? OldReport : "") << name;
        }
      }
      for (const fs::path& folder : {w.Temp.Path(), w.InBox, w.OutBox}) {
        if (!fs::is_directory(folder)) continue;
        for (const std::string& name : w.Names(folder)) {
          EXPECT_NE(name.front(), '.') << name;
        }
      }
      c.Check(w, told, whole);
      ++tried;
    }
  }
  std::cout << "Tried " << tried << " injected faults in the window's commands.\n";
}

} // namespace
