#include "MainFormFixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Paths = std::vector<fs::path>;

void Select(TFileListBox& list, const std::string& name) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.Item(i) == name) list.SetItemIndex(i);
}

TEST_F(MainFormTest, ClearMovesTheFilesToTheTrashOrDeletesThemWithoutOne) {
  for (const bool trash : {true, false}) {
    SCOPED_TRACE(trash ? "with a trash" : "without a trash");
    WriteBytes(InBox() / "a.csv", "x");
    TFakeDesktop desktop;
    desktop.HasTrash = trash;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    desktop.Answers = {true};
    form.InBoxClearBitBtnClick();
    EXPECT_EQ(desktop.Trashed, trash ? Paths{InBox() / "a.csv"} : Paths{});
    EXPECT_FALSE(fs::exists(InBox() / "a.csv"));
  }
}

TEST_F(MainFormTest, DropCopiesCsvFilesInOpensTheFirstAndTakesAFolderOnItsSide) {
  WriteBytes(InBox() / "Tweede.csv", "old");
  WriteBytes(Dir() / "elders" / "Eerste.csv", TournamentCsv("Eerste toernooi"));
  WriteBytes(Dir() / "elders" / "Tweede.csv", TournamentCsv());
  WriteBytes(Dir() / "elders" / "notities.txt", "x");
  Start();
  Desktop.Answers = {false};

  const fs::path elders = Dir() / "elders";
  Form.FormDragDrop({elders / "notities.txt", elders / "Eerste.csv", elders / "Tweede.csv", elders},
                    TDropSide::Elsewhere);
  EXPECT_EQ(Desktop.Messages,
            std::vector<std::string>{"Niet overgenomen:\r" + (elders / "notities.txt").string() +
                                     "\r" + elders.string() +
                                     "\r\rAlleen *.csv bestanden worden overgenomen, en een map op "
                                     "de invoer- of uitvoerkant."});
  EXPECT_EQ(Desktop.Questions, std::vector<std::string>{"Tweede.csv\r\rOverschrijven ?"});
  EXPECT_EQ(ReadBytes(InBox() / "Tweede.csv"), "old");
  EXPECT_EQ(Form.InputFiles(), (Paths{InBox() / "Eerste.csv", InBox() / "Tweede.csv"}));
  EXPECT_EQ(Form.InFileListBox.FileName(), InBox() / "Eerste.csv");
  EXPECT_EQ(Form.StatusText(0), "Eerste toernooi");

  Form.FormDragDrop({elders}, TDropSide::Input);
  Form.FormDragDrop({InBox()}, TDropSide::Output);
  EXPECT_EQ(Form.InputFiles(), (Paths{elders / "Eerste.csv", elders / "Tweede.csv"}));
  EXPECT_EQ(Form.OutDirectoryListBox.Directory(), InBox());
  EXPECT_EQ(Desktop.Watched, (Paths{elders, InBox()}));
}

TEST_F(MainFormTest, ReportsAndFoldersOpenWithTheDesktop) {
  WriteBytes(OutBox() / "a.txt", "x");
  Start();
  Form.OutFileListBoxDblClick();
  EXPECT_TRUE(Desktop.Opened.empty());

  Select(Form.OutFileListBox, "a.txt");
  Form.OutFileListBoxDblClick();
  Form.InFileListBoxOpenFolder();
  EXPECT_EQ(Desktop.Opened, (Paths{OutBox() / "a.txt", InBox()}));
  // "Map openen" on a selected file shows the file in its folder, or the folder without a
  // file manager.
  Form.OutFileListBoxOpenFolder();
  EXPECT_EQ(Desktop.ShownInFileManager, Paths{OutBox() / "a.txt"});
  Desktop.HasFileManager = false;
  Desktop.OpenSucceeds = false;
  Form.OutFileListBoxOpenFolder();
  EXPECT_EQ(Desktop.Opened, (Paths{OutBox() / "a.txt", InBox(), OutBox()}));
  EXPECT_EQ(Desktop.Messages,
            std::vector<std::string>{OutBox().string() + "\rKan niet geopend worden..."});
}

TEST_F(MainFormTest, AFindingLeadsToItsLineAndASummaryRowOpensItsFile) {
  // Line 10 is empty; line 11 repeats the game of line 8.
  WriteBytes(InBox() / "Eerste.csv",
             TournamentCsv("Eerste toernooi") +
                 "\r\n900;1;03-10-2009;7000001;1234;1;Ab, Cd;Ef, Gh;17-05-2001;\r\n");
  WriteBytes(InBox() / "Tweede.csv", TournamentCsv("Tweede toernooi"));
  Start();
  Open("Eerste.csv");
  int finding = -1;
  for (int r = 1; r < Form.ErrorGrid.RowCount(); ++r)
    if (Form.ErrorGrid.GetCell(1, r) == "11") finding = r;
  ASSERT_GT(finding, 0);
  Form.ErrorGridDblClick(finding);
  EXPECT_EQ(Form.ActivePage(), TMainForm::InleesGridPage);
  EXPECT_EQ(Form.InputGridRow(), 9);
  EXPECT_EQ(Form.InputGrid.GetCell(0, 9), "10");
  EXPECT_EQ(Form.InputGrid.GetCell(7, 9), "Ab, Cd");

  Desktop.Answers = {true};
  Form.DoAllBitBtnClick();
  ASSERT_EQ(Column(Form.ErrorGrid, 2)[1], "Eerste.csv");
  const unsigned requests = Form.InputGridRowRequests();
  Form.ErrorGridDblClick(1);
  EXPECT_EQ(Form.InFileListBox.FileName(), InBox() / "Eerste.csv");
  EXPECT_EQ(Form.StatusText(0), "Eerste toernooi");
  EXPECT_EQ(Form.ActivePage(), TMainForm::FoutenPage);
  EXPECT_EQ(Form.InputGridRowRequests(), requests);
}

TEST_F(MainFormTest, AFindingPastLine9999LeadsToItsLine) {
  std::string csv = TournamentCsv("Lang toernooi");
  for (int regel = 10; regel < 12000; ++regel) csv += "999;opvulling\r\n";
  csv += "900;3;10-10-2009;0;1234;1;Ab, Cd;Ef, Gh;;\r\n";
  WriteBytes(InBox() / "Lang.csv", csv);
  Start();
  Open("Lang.csv");
  EXPECT_EQ(Form.ErrorGrid.GetCell(1, 1), "12000");
  Form.ErrorGridDblClick(1);
  EXPECT_EQ(Form.ActivePage(), TMainForm::InleesGridPage);
  EXPECT_EQ(Form.InputGridRow(), 11999);
  EXPECT_EQ(Form.InputGrid.GetCell(5, 11999), "1234");
}

TEST_F(MainFormTest, WatchedFoldersShowNewFilesWithoutBeepKeepingTheSelection) {
  WriteBytes(InBox() / "b.csv", TournamentCsv());
  WriteBytes(InBox() / "c.csv", TournamentCsv());
  Start();
  Select(Form.InFileListBox, "b.csv");
  Desktop.ClearRecords();
  WriteBytes(InBox() / "a.csv", "x");
  fs::remove(InBox() / "c.csv");
  Desktop.FolderChanged();
  EXPECT_EQ(Form.InputFiles(), (Paths{InBox() / "a.csv", InBox() / "b.csv"}));
  EXPECT_EQ(Form.InFileListBox.FileName(), InBox() / "b.csv");
  EXPECT_EQ(Desktop.Beeps, 0);

  // A change while a command repaints is taken up once the command has ended.
  int countMidway = -1;
  Desktop.OnRepaint = [&] {
    if (countMidway >= 0) return;
    WriteBytes(InBox() / "z.csv", "x");
    Desktop.FolderChanged();
    countMidway = Form.InFileListBox.Count();
  };
  Desktop.Answers = {true};
  Form.DoAllBitBtnClick();
  EXPECT_EQ(countMidway, 2);
  EXPECT_EQ(Form.InFileListBox.Count(), 3);
}

TEST_F(MainFormTest, RemembersFolderNamesInUtf8AndReadsOlderOnesInCodePage1252) {
  const fs::path lodz = Dir() / "\xC5\x81\xC3\xB3\x64\xC5\xBA"; // Łódź
  const fs::path cafe = Dir() / "Caf\xC3\xA9";                  // Café
  fs::create_directories(lodz);
  fs::create_directories(cafe);
  Start();
  Form.FormDragDrop({lodz}, TDropSide::Input);
  Form.FormCloseQuery();
  EXPECT_NE(ReadBytes(Ini()).find("DataInMap=" + lodz.string() + "\r\n"), std::string::npos);
  const auto remembered = [this] {
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    return form.InDirectoryListBox.Directory();
  };
  EXPECT_EQ(remembered(), lodz);
  WriteBytes(Ini(), "[LastSession]\r\nDataInMap=" + Dir().string() + "/Caf\xE9\r\n");
  EXPECT_EQ(remembered(), cafe);
}

} // namespace
