#include "FakeDesktop.h"
#include "TestFiles.h"
#include "app/logic/MainForm.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A build or a copied executable keeps everything beside itself; an executable whose folder
// has the installed data folder beside it keeps the ini file in the user's config folder and
// the work folders under the user's documents, and a new InBox receives the samples.
TEST(ChooseWorkFolders, BesideTheExecutableUnlessInstalled) {
  const TTempDir temp;
  const fs::path usr = temp.Path() / "usr";
  const fs::path home = temp.Path() / "home";
  const fs::path examples = usr / "share" / "morvelander" / "examples";
  WriteBytes(examples / "Open 2009.csv", TournamentCsv("Open 2009"));
  WriteBytes(examples / "notes.txt", "not a tournament");
  fs::create_directories(temp.Path() / "stick");
  const struct {
    const char* name;
    fs::path exe;
    fs::path ini;
    fs::path work;
    std::vector<std::string> samples;
  } cases[] = {
      {"portable copy",
       temp.Path() / "stick" / "Morvelander",
       temp.Path() / "stick" / "Morvelander.ini",
       temp.Path() / "stick",
       {}},
      {"installed",
       usr / "bin" / "Morvelander",
       home / ".config" / "Morvelander" / "Morvelander.ini",
       home / "Documents" / "Morvelander",
       {"Open 2009.csv"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFakeDesktop desktop;
    desktop.Config = home / ".config" / "Morvelander";
    desktop.Documents = home / "Documents";
    {
      TMainForm form(c.exe, desktop, '.');
      form.FormCreate();
      form.FormActivate();
      EXPECT_EQ(form.IniFileName(), c.ini);
      EXPECT_EQ(form.InDirectoryListBox.Directory(), c.work / "InBox");
      EXPECT_EQ(form.OutDirectoryListBox.Directory(), c.work / "OutBox");
      std::vector<std::string> listed;
      for (int i = 0; i < form.InFileListBox.Count(); ++i)
        listed.push_back(form.InFileListBox.Item(i));
      EXPECT_EQ(listed, c.samples);
      EXPECT_TRUE(form.FormCloseQuery());
      EXPECT_EQ(ReadBytes(c.ini), "[LastSession]\r\nDataInMap=" + (c.work / "InBox").string() +
                                      "\r\nDataOutMap=" + (c.work / "OutBox").string() + "\r\n");
    }
    // Later starts keep what the user did with InBox.
    for (const std::string& sample : c.samples) fs::remove(c.work / "InBox" / sample);
    TMainForm again(c.exe, desktop, '.');
    again.FormCreate();
    again.FormActivate();
    EXPECT_EQ(again.InFileListBox.Count(), 0);
    EXPECT_TRUE(desktop.Errors.empty());
  }
  EXPECT_FALSE(fs::exists(usr / "bin"));
}

} // namespace
