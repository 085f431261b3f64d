// Long random sequences of what a user does in the window, with files changed from outside
// between the steps, checked after every step against a model of what may change.
// MORVELANDER_SEQUENCE_SEED picks the sequence; a failure prints the seed and the steps.

#include "FakeDesktop.h"
#include "TestFiles.h"
#include "app/logic/MainForm.h"
#include "core/report/ReportFile.h"
#include "core/run/Conversion.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int Steps = 10000;

// Inputs of every kind a load meets: faultless, with findings, empty, not text.
const std::vector<std::string>& Contents() {
  static const std::vector<std::string> contents = {
      TournamentCsv("Een"), TournamentCsv("Twee"),
      TournamentCsv("Fouten") + "900;x;10-10-2009;1;2;1;Ab, Cd;Ef, Gh;01-01-2000;\r\n", "",
      std::string(300, '\x01')};
  return contents;
}

// The core's report of the bytes, as the converter writes it; empty when it makes none.
std::string CoreReport(const std::string& bytes) {
  static std::map<std::string, std::string> known;
  const auto found = known.find(bytes);
  if (found != known.end()) return found->second;
  TCoreUI ui;
  TConversion conversion(ui, TConvertSettings{'.', false, false});
  conversion.StartRun({});
  const TConvertResult result = conversion.ConvertBytes("x.csv", bytes);
  return known[bytes] = result.Done() ? ReportBytes(conversion.Toernooi.ReportLines) : "";
}

using TTree = std::map<fs::path, std::string>;

// Every file under the folder with its bytes.
TTree Tree(const fs::path& root) {
  TTree tree;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) tree[entry.path()] = ReadBytes(entry.path());
  return tree;
}

class TSequence {
public:
  explicit TSequence(unsigned seed) : FRandom(seed) {
    for (const char* folder : {"InBox/sub", "OutBox", "Bron", "Andere"})
      fs::create_directories(Temp / folder);
    for (int i = 0; i < 4; ++i) WriteBytes(Temp / "Bron" / Name("drop", i), Pick(Contents()));
    for (int i = 0; i < 3; ++i) WriteBytes(Temp / "InBox" / Name("t", i), Pick(Contents()));
    Form.FormCreate();
    Form.FormActivate();
  }

  // One step; its name, for the failure's trace.
  std::string Step() {
    const fs::path in = Form.InDirectoryListBox.Directory();
    const fs::path out = Form.OutDirectoryListBox.Directory();
    const TTree before = Tree(Temp.Path());
    Desktop.ClearRecords();
    Desktop.OnWait = nullptr;
    const std::string action = Act();
    const fs::path newIn = Form.InDirectoryListBox.Directory();
    const fs::path newOut = Form.OutDirectoryListBox.Directory();
    Check(before, {in, out, newIn, newOut}, action);
    return action;
  }

private:
  static std::string Name(const char* stem, int i) { return stem + std::to_string(i) + ".csv"; }
  template <typename T> const T& Pick(const std::vector<T>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(FRandom)];
  }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FRandom); }

  // The folders of the test a chooser may go to; never one outside it, where "Alle" would
  // write.
  void ChangeFolder(TFolderChooser& chooser, bool input) {
    std::vector<int> inside;
    for (std::size_t i = 0; i < chooser.Entries().size(); ++i) {
      const fs::path& path = chooser.Entries()[i].Path;
      if (path.string().rfind(Temp.Path().string() + "/", 0) == 0)
        inside.push_back(static_cast<int>(i));
    }
    if (inside.empty()) return;
    if (input)
      Form.InDirectoryListBoxDblClick(Pick(inside));
    else
      Form.OutDirectoryListBoxDblClick(Pick(inside));
  }

  // Presses Stop at some turn of the command's wait, as Esc would.
  void MaybeStop() {
    if (Below(4) == 0)
      Desktop.OnWait = [this] {
        if (Below(3) == 0) Form.StopBitBtnClick();
      };
  }

  std::string Act() {
    const fs::path in = Form.InDirectoryListBox.Directory();
    const fs::path out = Form.OutDirectoryListBox.Directory();
    switch (Below(14)) {
    case 0:
    case 1: {
      if (Form.InFileListBox.Count() == 0) return "open (nothing)";
      Form.InFileListBox.SetItemIndex(Below(Form.InFileListBox.Count()));
      const fs::path file = Form.InFileListBox.FullPath(Form.InFileListBox.ItemIndex());
      const std::string bytes = ReadBytes(file);
      MaybeStop();
      Form.InFileListBoxDblClick();
      FOpened = bytes;
      FOpenedKnown = Form.SaveDataBitBtnEnabled();
      return "open " + file.filename().string();
    }
    case 2:
      Desktop.SaveAnswer = out / ("t" + std::to_string(Below(5)) + ".txt");
      Desktop.Answers = {Below(4) != 0, true};
      FSaved = true;
      Form.SaveDataBitBtnClick();
      return "save";
    case 3:
    case 4:
      Desktop.Answers = {Below(4) != 0};
      MaybeStop();
      FAll = true;
      // The tables then hold the run's last file.
      FOpenedKnown = false;
      Form.DoAllBitBtnClick();
      return "Alle";
    case 5:
      Form.StopBitBtnClick();
      return "Stop";
    case 6:
      Desktop.Answers = {Below(2) == 0};
      if (Below(2) == 0) {
        Form.InBoxClearBitBtnClick();
        return "Clear InBox";
      }
      Form.OutBoxClearBitBtnClick();
      return "Clear OutBox";
    case 7: {
      Desktop.Answers = {Below(2) == 0};
      TFileListBox& list = Below(2) == 0 ? Form.InFileListBox : Form.OutFileListBox;
      if (list.Count() > 0) list.SetItemIndex(Below(list.Count()));
      if (&list == &Form.InFileListBox)
        Form.InFileListBoxDelete();
      else
        Form.OutFileListBoxDelete();
      return "Delete";
    }
    case 8: {
      const TDropSide side =
          Pick(std::vector<TDropSide>{TDropSide::Input, TDropSide::Output, TDropSide::Elsewhere});
      std::vector<fs::path> paths = {Temp / "Bron" / Name("drop", Below(4))};
      if (Below(3) == 0) paths.push_back(Temp / Pick(std::vector<std::string>{"Andere", "Bron"}));
      Desktop.Answers = {Below(2) == 0, Below(2) == 0};
      MaybeStop();
      FOpenedKnown = false;
      Form.FormDragDrop(paths, side);
      return "drop";
    }
    case 9:
      ChangeFolder(Form.InDirectoryListBox, true);
      return "input folder";
    case 10:
      ChangeFolder(Form.OutDirectoryListBox, false);
      return "output folder";
    case 11:
    case 12: {
      // From outside: a file added, changed or removed in a folder shown, then the watch.
      const fs::path folder = Below(3) == 0 ? out : in;
      const fs::path file = folder / Name("t", Below(5));
      if (Below(3) == 0)
        fs::remove(file);
      else
        WriteBytes(file, Pick(Contents()));
      if (Desktop.FolderChanged) Desktop.FolderChanged();
      return "outside " + file.filename().string();
    }
    default:
      Form.RefreshFileLists();
      return "F5";
    }
  }

  void Check(const TTree& before, const std::set<fs::path>& shown, const std::string& action) {
    const TTree after = Tree(Temp.Path());
    std::set<fs::path> paths;
    for (const auto& [path, bytes] : before) paths.insert(path);
    for (const auto& [path, bytes] : after) paths.insert(path);
    for (const fs::path& path : paths) {
      const auto was = before.find(path);
      const auto is = after.find(path);
      const bool changed = was == before.end() || is == after.end() || was->second != is->second;
      if (!changed || action.rfind("outside", 0) == 0) continue;
      // Nothing outside the folders shown is written, moved or removed.
      EXPECT_TRUE(shown.count(path.parent_path())) << path;
      // A report written is the core's of its file.
      if (is == after.end() || path.extension() != ".txt") continue;
      if (FAll) {
        const fs::path input = Form.InDirectoryListBox.Directory() / path.stem();
        const fs::path csv = fs::path(input).replace_extension(".csv");
        EXPECT_EQ(is->second, CoreReport(ReadBytes(csv))) << path;
      } else if (FSaved && FOpenedKnown) {
        EXPECT_EQ(is->second, CoreReport(FOpened)) << path;
      } else {
        bool any = false;
        for (const std::string& bytes : Contents()) any = any || is->second == CoreReport(bytes);
        EXPECT_TRUE(any) << path;
      }
    }
    // The buttons match the state.
    EXPECT_FALSE(Form.Working());
    EXPECT_FALSE(Form.StopBitBtnEnabled());
    EXPECT_EQ(Form.DoAllBitBtnEnabled(), !Form.InputFiles().empty());
    EXPECT_EQ(Form.InBoxClearBitBtnEnabled(), !Form.InputFiles().empty());
    EXPECT_EQ(Form.OutBoxClearBitBtnEnabled(), Form.OutFileListBox.Count() > 0);
    EXPECT_TRUE(!Form.SaveDataBitBtnEnabled() || Form.Conversion.HasReport());
    EXPECT_TRUE(Desktop.Errors.empty()) << Desktop.Errors.front();
    FAll = FSaved = false;
  }

  // In memory where the system has such a folder: the reports' syncs then cost no wait for a
  // disk, which would make the thousands of steps take minutes.
  TTempDir Temp{fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()};
  TFakeDesktop Desktop;
  TMainForm Form{Temp.Path() / "Morvelander", Desktop, '.'};
  std::mt19937 FRandom;
  // The bytes of the file last opened, when the tables still hold it.
  std::string FOpened;
  bool FOpenedKnown = false;
  bool FAll = false;
  bool FSaved = false;
};

TEST(WindowSequence, TenThousandUserStepsTouchOnlyTheFoldersShownAndWriteTheCoresReports) {
  const char* given = std::getenv("MORVELANDER_SEQUENCE_SEED");
  const unsigned seed =
      given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
            : static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count());
  SCOPED_TRACE("MORVELANDER_SEQUENCE_SEED=" + std::to_string(seed));
  TSequence sequence(seed);
  std::vector<std::string> steps;
  for (int i = 0; i < Steps && !::testing::Test::HasFailure(); ++i)
    steps.push_back(sequence.Step());
  if (::testing::Test::HasFailure()) {
    std::string last;
    for (std::size_t i = steps.size() > 20 ? steps.size() - 20 : 0; i < steps.size(); ++i)
      last += std::to_string(i + 1) + " " + steps[i] + "\n";
    ADD_FAILURE() << "the last steps:\n" << last;
  }
}

} // namespace
