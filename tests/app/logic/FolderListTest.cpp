#include "TestFiles.h"
#include "app/logic/FileListBox.h"
#include "app/logic/FolderChooser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Items(const TFileListBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
  return items;
}

std::vector<std::string> Texts(const TFolderChooser& chooser) {
  std::vector<std::string> texts;
  for (const TFolderEntry& entry : chooser.Entries())
    texts.push_back(std::string(static_cast<std::size_t>(entry.Level), ' ') + entry.Text +
                    (entry.Open ? "" : " (closed)"));
  return texts;
}

TEST(MatchesMask, MatchesWildcardsWithoutRegardToCase) {
  const struct {
    const char* name;
    const char* mask;
    bool want;
  } cases[] = {
      {"open.csv", "*.csv", true},
      {"OPEN.CSV", "*.csv", true},
      {"a.b.csv", "*.csv", true},
      {".csv", "*.csv", true},
      {"open.csv.bak", "*.csv", false},
      {"open.csvx", "*.csv", false},
      {"csv", "*.csv", false},
      {"open.txt", "*.csv", false},
      {"r1.TXT", "*.txt", true},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"anything", "*", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " ~ " + c.mask);
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.want);
  }
}

class FolderListTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"c.csv", "B.csv", "a.csv", "A.CSV", "notes.txt", ".hidden.csv",
                             "open.csv.bak", "\xC3\xA9t\xC3\xA9.csv"})
      WriteBytes(Temp.Path() / name, "x");
    for (const char* name : {"sub.csv", "Beta", "alpha", ".git", "Gamma"})
      fs::create_directory(Temp.Path() / name);
  }
  TTempDir Temp;
};

TEST_F(FolderListTest, FileListHoldsMatchingPlainVisibleFilesInNameOrder) {
  TFileListBox list("*.csv");
  list.SetDirectory(Temp.Path());
  EXPECT_EQ(Items(list),
            (std::vector<std::string>{"A.CSV", "a.csv", "B.csv", "c.csv", "\xE9t\xE9.csv"}));
  EXPECT_EQ(list.FullPath(2), Temp.Path() / "B.csv");
}

TEST_F(FolderListTest, FileListSelectionGivesTheFullPathOrNothing) {
  TFileListBox list("*.csv");
  list.SetDirectory(Temp.Path());
  EXPECT_EQ(list.FileName(), fs::path());
  list.SetItemIndex(3);
  EXPECT_EQ(list.FileName(), Temp.Path() / "c.csv");
  list.SetItemIndex(5);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(list.FileName(), fs::path());
  list.SetItemIndex(0);
  list.Update();
  EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(FolderListTest, FileListOfAMissingFolderIsEmpty) {
  TFileListBox list("*.csv");
  list.SetDirectory(Temp.Path() / "gone");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FileName(), fs::path());
}

TEST_F(FolderListTest, ChooserShowsThePathChainThenVisibleSubFoldersInNameOrder) {
  TFolderChooser chooser;
  ASSERT_EQ(chooser.SetDirectory(Temp.Path() / "alpha" / ".." / ""), std::nullopt);
  EXPECT_EQ(chooser.Directory(), Temp.Path());
  std::vector<std::string> want{"/"};
  int level = 0;
  for (const fs::path& part : Temp.Path().relative_path())
    want.push_back(std::string(static_cast<std::size_t>(++level), ' ') + part.string());
  const std::string indent(static_cast<std::size_t>(level + 1), ' ');
  for (const char* sub : {"alpha", "Beta", "Gamma", "sub.csv"})
    want.push_back(indent + sub + " (closed)");
  EXPECT_EQ(Texts(chooser), want);
  EXPECT_EQ(chooser.DirectoryIndex(), level);
}

TEST_F(FolderListTest, OpeningAnEntryMovesTheChooserAndItsFileList) {
  WriteBytes(Temp.Path() / "Beta" / "inner.csv", "x");
  TFileListBox list("*.csv");
  TFolderChooser chooser;
  chooser.SetFileList(&list);
  ASSERT_EQ(chooser.SetDirectory(Temp.Path()), std::nullopt);
  ASSERT_EQ(list.Count(), 5);

  const int beta = chooser.DirectoryIndex() + 2;
  ASSERT_EQ(chooser.Entries()[static_cast<std::size_t>(beta)].Text, "Beta");
  ASSERT_EQ(chooser.OpenEntry(beta), std::nullopt);
  EXPECT_EQ(chooser.Directory(), Temp.Path() / "Beta");
  EXPECT_EQ(Items(list), std::vector<std::string>{"inner.csv"});

  ASSERT_EQ(chooser.OpenEntry(chooser.DirectoryIndex() - 1), std::nullopt);
  EXPECT_EQ(chooser.Directory(), Temp.Path());
  EXPECT_EQ(list.Count(), 5);
}

TEST_F(FolderListTest, ChooserRefusesAFolderItCannotListAndStaysPut) {
  TFolderChooser chooser;
  ASSERT_EQ(chooser.SetDirectory(Temp.Path()), std::nullopt);
  for (const fs::path& bad : {Temp.Path() / "gone", Temp.Path() / "c.csv"}) {
    SCOPED_TRACE(bad.string());
    const TFileOutcome refused = chooser.SetDirectory(bad);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Text(), bad.string() + "\rKan niet geopend worden...\rDe map bestaat niet.");
    EXPECT_EQ(chooser.Directory(), Temp.Path());
  }
}

TEST_F(FolderListTest, ChooserRefreshSeesNewAndVanishedFolders) {
  TFolderChooser chooser;
  ASSERT_EQ(chooser.SetDirectory(Temp.Path()), std::nullopt);
  const std::size_t before = chooser.Entries().size();
  fs::create_directory(Temp.Path() / "delta");
  fs::remove(Temp.Path() / "Gamma");
  fs::remove(Temp.Path() / "Beta");
  chooser.Update();
  EXPECT_EQ(chooser.Entries().size(), before - 1);
  EXPECT_EQ(chooser.Entries().back().Text, "sub.csv");
  EXPECT_EQ(chooser.Entries()[before - 3].Text, "delta");
}

} // namespace
