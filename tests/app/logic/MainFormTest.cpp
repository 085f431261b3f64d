#include "MainFormFixture.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using Paths = std::vector<fs::path>;

TEST_F(MainFormTest, FirstStartCreatesBothWorkFoldersAndCloseRemembersThem) {
  Start();
  EXPECT_TRUE(fs::is_directory(InBox()));
  EXPECT_TRUE(fs::is_directory(OutBox()));
  EXPECT_EQ(Form.ProgramDir(), Dir());
  EXPECT_EQ(Form.InDirectoryListBox.Directory(), InBox());
  EXPECT_EQ(Form.OutDirectoryListBox.Directory(), OutBox());
  EXPECT_EQ(Form.IniFileName(), Ini());
  EXPECT_FALSE(fs::exists(Ini()));
  EXPECT_TRUE(Desktop.Errors.empty());

  EXPECT_TRUE(Form.FormCloseQuery());
  EXPECT_EQ(ReadBytes(Ini()), "[LastSession]\r\nDataInMap=" + InBox().string() +
                                  "\r\nDataOutMap=" + OutBox().string() + "\r\n");
}

TEST_F(MainFormTest, CaptionAndTournamentUseTheGivenDecimalSeparator) {
  for (const char separator : {'.', ','}) {
    SCOPED_TRACE(separator);
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, separator);
    form.FormCreate();
    EXPECT_EQ(form.Caption(), "Jeugd csv naar Fide2006 Versie: 0"s + separator + "1 (2009-11-08)");
    EXPECT_EQ(form.Toernooi()->DecimalSeparator, separator);
    EXPECT_EQ(desktop.Repaints, 1);
  }
}

TEST_F(MainFormTest, RemembersFoldersThatStillExist) {
  fs::create_directories(Dir() / "data" / "in");
  fs::create_directories(Dir() / "data" / "out");
  const std::string in = (Dir() / "data" / "in").string();
  const std::string out = (Dir() / "data" / "out").string();
  const struct {
    const char* name;
    std::string ini;
    fs::path wantIn;
    fs::path wantOut;
  } cases[] = {
      {"both exist", "[LastSession]\r\nDataInMap=" + in + "\r\nDataOutMap=" + out + "\r\n",
       Dir() / "data" / "in", Dir() / "data" / "out"},
      {"input folder deleted since",
       "[LastSession]\r\nDataInMap=" + (Dir() / "deleted").string() + "\r\nDataOutMap=" + out,
       InBox(), Dir() / "data" / "out"},
      {"trailing separator", "[LastSession]\nDataInMap=" + in + "/\n", Dir() / "data" / "in",
       OutBox()},
      {"relative to the program folder", "[LastSession]\nDataOutMap=data/out\n", InBox(),
       Dir() / "data" / "out"},
      {"empty values", "[LastSession]\nDataInMap=\nDataOutMap=\n", InBox(), OutBox()},
      {"a file, not a folder", "[LastSession]\nDataInMap=" + Ini().string() + "\n", InBox(),
       OutBox()},
      {"other section", "[Session]\nDataInMap=" + in + "\n", InBox(), OutBox()},
      {"binary", "[LastSession]\nDataInMap=" + in + "\n\0\xFF"s, InBox(), OutBox()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Ini(), c.ini);
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    EXPECT_EQ(form.InDirectoryListBox.Directory(), c.wantIn);
    EXPECT_EQ(form.OutDirectoryListBox.Directory(), c.wantOut);
    EXPECT_TRUE(desktop.Errors.empty());
  }
}

TEST_F(MainFormTest, ActivationResetsTablesShowsFirstTabAndBeepsTwiceOnce) {
  Form.FormCreate();
  Form.SetActivePage(3);
  Form.ToernooiGrid.SetCell(3, 3, "old");
  Form.ErrorGrid.SetCell(2, 4, "old");
  Form.FormActivate();

  EXPECT_EQ(Form.ActivePage(), 0);
  EXPECT_EQ(Form.ToernooiGrid.ColCount(), 2);
  EXPECT_EQ(Form.ToernooiGrid.RowCount(), 2);
  EXPECT_EQ(Form.ToernooiGrid.GetCell(3, 3), "");
  EXPECT_EQ(Form.ErrorGrid.ColCount(), 4);
  EXPECT_EQ(Form.ErrorGrid.RowCount(), 2);
  EXPECT_EQ(Form.ErrorGrid.GetCell(2, 4), "");
  EXPECT_EQ(Column(Form.ErrorGrid, 2), (std::vector<std::string>{"Opmerking", ""}));
  EXPECT_EQ(Desktop.Beeps, 2);

  Form.SetActivePage(2);
  Form.FormActivate();
  EXPECT_EQ(Form.ActivePage(), 2);
  EXPECT_EQ(Desktop.Beeps, 2);
}

// "Alle" and the input "Clear" act on the files the input list shows, whatever read it again.
TEST_F(MainFormTest, ButtonsAndInputFilesFollowTheListAsShown) {
  Start();
  EXPECT_FALSE(Form.SaveDataBitBtnEnabled());
  EXPECT_FALSE(Form.DoAllBitBtnEnabled());
  EXPECT_FALSE(Form.InBoxClearBitBtnEnabled());
  EXPECT_FALSE(Form.OutBoxClearBitBtnEnabled());

  WriteBytes(InBox() / "a.csv", TournamentCsv());
  WriteBytes(OutBox() / "a.txt", "report");
  fs::create_directory(InBox() / "empty");
  EXPECT_FALSE(Form.DoAllBitBtnEnabled());
  Form.InUpdateBitBtnClick();
  Form.OutUpdateBitBtnClick();
  EXPECT_TRUE(Form.DoAllBitBtnEnabled());
  EXPECT_TRUE(Form.InBoxClearBitBtnEnabled());
  EXPECT_TRUE(Form.OutBoxClearBitBtnEnabled());

  Form.InDirectoryListBoxDblClick(SubFolder(Form.InDirectoryListBox, "empty"));
  EXPECT_EQ(Form.InFileListBox.Count(), 0);
  EXPECT_TRUE(Form.InputFiles().empty());
  EXPECT_FALSE(Form.DoAllBitBtnEnabled());
  EXPECT_FALSE(Form.InBoxClearBitBtnEnabled());
  Form.InDirectoryListBoxDblClick(Form.InDirectoryListBox.DirectoryIndex() - 1);
  EXPECT_EQ(Form.InputFiles(), Paths{InBox() / "a.csv"});
  EXPECT_TRUE(Form.DoAllBitBtnEnabled());
  EXPECT_TRUE(Form.InBoxClearBitBtnEnabled());

  fs::remove(OutBox() / "a.txt");
  Form.OutUpdateBitBtnClick();
  EXPECT_FALSE(Form.OutBoxClearBitBtnEnabled());
  EXPECT_EQ(Desktop.Beeps, 2 + 3);
}

// The output "Clear" acts on the reports the output list shows, whatever read it again.
TEST_F(MainFormTest, OutputClearFollowsTheListAsShown) {
  WriteBytes(OutBox() / "vol" / "a.txt", "report");
  fs::create_directories(OutBox() / "leeg");
  Start();
  EXPECT_FALSE(Form.OutBoxClearBitBtnEnabled());
  Form.OutDirectoryListBoxDblClick(SubFolder(Form.OutDirectoryListBox, "vol"));
  EXPECT_TRUE(Form.OutBoxClearBitBtnEnabled());
  Form.OutDirectoryListBoxDblClick(Form.OutDirectoryListBox.DirectoryIndex() - 1);
  Form.OutDirectoryListBoxDblClick(SubFolder(Form.OutDirectoryListBox, "leeg"));
  EXPECT_FALSE(Form.OutBoxClearBitBtnEnabled());

  // A drop of a folder on the output side, and the folder watch, count as well.
  Form.FormDragDrop({OutBox() / "vol"}, TDropSide::Output);
  EXPECT_TRUE(Form.OutBoxClearBitBtnEnabled());
  // What the watch's repaint shows follows the change at once.
  bool shown = false;
  Desktop.OnRepaint = [&] { shown = Form.OutBoxClearBitBtnEnabled(); };
  fs::remove(OutBox() / "vol" / "a.txt");
  ASSERT_TRUE(Desktop.FolderChanged);
  Desktop.FolderChanged();
  EXPECT_FALSE(shown);
  EXPECT_FALSE(Form.OutBoxClearBitBtnEnabled());
  WriteBytes(OutBox() / "vol" / "b.txt", "report");
  Desktop.FolderChanged();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Form.OutBoxClearBitBtnEnabled());
}

// F1 names the folders the window shows, not the defaults, beside the version of the program.
TEST_F(MainFormTest, AboutNamesTheFoldersInUse) {
  fs::create_directories(Dir() / "elders" / "in");
  Start();
  ASSERT_EQ(Form.InDirectoryListBox.SetDirectory(Dir() / "elders" / "in"), std::nullopt);
  Form.HelpAboutClick();
  ASSERT_EQ(Desktop.Abouts.size(), 1u);
  EXPECT_EQ(Desktop.Abouts[0], "Morvelander\rVersie 0.1 (2009-11-08)\r\rLicentie: MIT\r"
                               "Copyright (c) 2009 The Morvelander developers\r\rWerkmappen:\r" +
                                   (Dir() / "elders" / "in").string() + "\r" + OutBox().string() +
                                   "\r\rInstellingen:\r" + Ini().string());
}

// Started with a file of another folder, the window shows that folder: "Clear" must not touch
// the files of the remembered folder, which the user does not see.
TEST_F(MainFormTest, StartFileFromAnotherFolderLeavesTheRememberedFolderAlone) {
  const fs::path elders = Dir() / "elders";
  fs::create_directories(elders);
  WriteBytes(elders / "notes.txt", "x");
  for (const char* name : {"a.csv", "b.csv"}) WriteBytes(InBox() / name, TournamentCsv());
  Form.SetStartFile(elders / "notes.txt");
  Start();
  EXPECT_EQ(Form.InDirectoryListBox.Directory(), elders);
  EXPECT_TRUE(Form.InputFiles().empty());
  EXPECT_FALSE(Form.DoAllBitBtnEnabled());
  EXPECT_FALSE(Form.InBoxClearBitBtnEnabled());

  Desktop.Answers = {true};
  Form.InBoxClearBitBtnClick();
  EXPECT_TRUE(fs::exists(InBox() / "a.csv"));
  EXPECT_TRUE(fs::exists(InBox() / "b.csv"));
}

TEST_F(MainFormTest, InputFilesAreTheMatchingFilesInNameOrder) {
  fs::create_directories(InBox() / "sub.csv");
  for (const char* name : {"c.csv", "a.csv", "B.csv", "notes.txt", ".hidden.csv", "x.csv.bak"})
    WriteBytes(InBox() / name, "x");
  Start();
  EXPECT_EQ(Form.InputFiles(), (Paths{InBox() / "a.csv", InBox() / "B.csv", InBox() / "c.csv"}));
}

TEST_F(MainFormTest, ClearInBoxAnsweredNoDeletesNothingButTakesTheListAsShown) {
  fs::create_directories(InBox() / "sub");
  WriteBytes(InBox() / "a.csv", "x");
  WriteBytes(InBox() / "sub" / "s.csv", "x");
  Start();
  Form.InDirectoryListBoxDblClick(SubFolder(Form.InDirectoryListBox, "sub"));
  Desktop.ClearRecords();

  Form.InBoxClearBitBtnClick();
  EXPECT_EQ(Desktop.Questions, std::vector<std::string>{"Alle InBox bestanden verwijderen ?"});
  EXPECT_TRUE(fs::exists(InBox() / "a.csv"));
  EXPECT_TRUE(fs::exists(InBox() / "sub" / "s.csv"));
  EXPECT_EQ(Desktop.Beeps, 0);
  EXPECT_EQ(Form.InputFiles(), Paths{InBox() / "sub" / "s.csv"});
}

TEST_F(MainFormTest, ClearInBoxAnsweredYesDeletesTheCollectedFilesOnly) {
  fs::create_directories(InBox() / "sub.csv");
  for (const char* name : {"a.csv", "b.csv", "keep.txt"}) WriteBytes(InBox() / name, "x");
  Start();
  WriteBytes(InBox() / "late.csv", "x");
  Desktop.ClearRecords();
  Desktop.Answers = {true};

  Form.InBoxClearBitBtnClick();
  EXPECT_FALSE(fs::exists(InBox() / "a.csv"));
  EXPECT_FALSE(fs::exists(InBox() / "b.csv"));
  EXPECT_TRUE(fs::exists(InBox() / "late.csv"));
  EXPECT_TRUE(fs::exists(InBox() / "keep.txt"));
  EXPECT_TRUE(fs::is_directory(InBox() / "sub.csv"));
  EXPECT_EQ(Form.InputFiles(), Paths{InBox() / "late.csv"});
  EXPECT_EQ(Desktop.Beeps, 1);
}

TEST_F(MainFormTest, ClearOutBoxAsksAndDeletesTheListedReports) {
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes ? "&Ja" : "&Nee");
    fs::create_directories(OutBox());
    for (const char* name : {"a.txt", "B.TXT", "keep.csv"}) WriteBytes(OutBox() / name, "x");
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    WriteBytes(OutBox() / "late.txt", "x");
    desktop.ClearRecords();
    desktop.Answers = {yes};

    form.OutBoxClearBitBtnClick();
    EXPECT_EQ(desktop.Questions, std::vector<std::string>{"Alle OutBox bestanden verwijderen ?"});
    EXPECT_EQ(fs::exists(OutBox() / "a.txt"), !yes);
    EXPECT_EQ(fs::exists(OutBox() / "B.TXT"), !yes);
    EXPECT_TRUE(fs::exists(OutBox() / "late.txt"));
    EXPECT_TRUE(fs::exists(OutBox() / "keep.csv"));
    // "&Nee" leaves the list as it was; "&Ja" refreshes it.
    EXPECT_EQ(form.OutFileListBox.Count(), yes ? 1 : 2);
    EXPECT_EQ(desktop.Beeps, yes ? 1 : 0);
    fs::remove(OutBox() / "late.txt");
  }
}

TEST_F(MainFormTest, CloseWhenTheIniCannotBeWrittenSaysWhyAndClosesAnyway) {
  fs::create_directory(Ini());
  Start();
  EXPECT_TRUE(Form.FormCloseQuery());
  EXPECT_TRUE(Desktop.Errors.empty());
  EXPECT_EQ(Desktop.Messages,
            std::vector<std::string>{Ini().string() + "\rKan niet gemaakt worden...\rEr staat "
                                                      "een map met die naam."});
}

TEST_F(MainFormTest, StartWhenAWorkFolderCannotBeCreatedGoesOnInTheProgramFolder) {
  WriteBytes(Dir() / "InBox", "a file where the folder belongs");
  WriteBytes(Dir() / "loose.csv", TournamentCsv());
  Start();
  EXPECT_TRUE(Desktop.Errors.empty());
  EXPECT_EQ(Desktop.Messages,
            std::vector<std::string>{InBox().string() + "\rKan niet geopend worden...\rDe map "
                                                        "bestaat niet."});
  EXPECT_EQ(Form.InDirectoryListBox.Directory(), Dir());
  EXPECT_EQ(Form.OutDirectoryListBox.Directory(), OutBox());
  ASSERT_NE(Form.Toernooi(), nullptr);
  EXPECT_EQ(Form.InputFiles(), Paths{Dir() / "loose.csv"});
  Open("loose.csv");
  EXPECT_EQ(Form.StatusText(0), "Voorbeeldtoernooi");
}

} // namespace
