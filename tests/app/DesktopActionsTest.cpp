#include "MainFormFixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using Paths = std::vector<fs::path>;

void Select(TFileListBox& list, const std::string& name) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.Item(i) == name) list.SetItemIndex(i);
}

TEST_F(MainFormTest, ClearMovesTheFilesToTheTrashOrDeletesThemWithoutOne) {
  for (const bool trash : {true, false}) {
    SCOPED_TRACE(trash ? "with a trash" : "without a trash");
    WriteBytes(InBox() / "a.csv", "x");
    WriteBytes(OutBox() / "a.txt", "x");
    TFakeDesktop desktop;
    desktop.HasTrash = trash;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    desktop.Answers = {true, true};

    form.InBoxClearBitBtnClick();
    form.OutBoxClearBitBtnClick();
    EXPECT_EQ(desktop.Trashed, (trash ? Paths{InBox() / "a.csv", OutBox() / "a.txt"} : Paths{}));
    EXPECT_FALSE(fs::exists(InBox() / "a.csv"));
    EXPECT_FALSE(fs::exists(OutBox() / "a.txt"));
  }
}

TEST_F(MainFormTest, DroppedCsvFilesAreCopiedInAndTheFirstIsOpened) {
  WriteBytes(InBox() / "Tweede.csv", "old");
  WriteBytes(Dir() / "elders" / "Eerste.csv", TournamentCsv("Eerste toernooi"));
  WriteBytes(Dir() / "elders" / "Tweede.csv", TournamentCsv("Tweede toernooi"));
  WriteBytes(Dir() / "elders" / "notities.txt", "x");
  Start();
  Desktop.ClearRecords();
  Desktop.Answers = {false};

  Form.FormDragDrop({Dir() / "elders" / "notities.txt", Dir() / "elders" / "Eerste.csv",
                     Dir() / "elders" / "Tweede.csv", "https://example.org/c.csv"},
                    TDropSide::Elsewhere);
  EXPECT_EQ(Desktop.Messages,
            std::vector<std::string>{"Niet overgenomen:\r" +
                                     (Dir() / "elders" / "notities.txt").string() +
                                     "\rhttps://example.org/c.csv\r\rAlleen *.csv bestanden worden "
                                     "overgenomen, en een map op de invoer- of uitvoerkant."});
  EXPECT_EQ(Desktop.Questions, std::vector<std::string>{"Tweede.csv\r\rOverschrijven ?"});
  EXPECT_EQ(ReadBytes(InBox() / "Eerste.csv"), TournamentCsv("Eerste toernooi"));
  EXPECT_EQ(ReadBytes(InBox() / "Tweede.csv"), "old");
  EXPECT_EQ(Form.InputFiles(), (Paths{InBox() / "Eerste.csv", InBox() / "Tweede.csv"}));
  EXPECT_EQ(Form.InFileListBox.FileName(), InBox() / "Eerste.csv");
  EXPECT_EQ(Form.ActivePage(), TMainForm::FoutenPage);
  EXPECT_EQ(Form.StatusText(0), "Eerste toernooi");

  // A file dropped from the input folder itself is opened where it is.
  Desktop.ClearRecords();
  Form.FormDragDrop({InBox() / "Tweede.csv"}, TDropSide::Input);
  EXPECT_TRUE(Desktop.Questions.empty());
  EXPECT_EQ(Form.InFileListBox.FileName(), InBox() / "Tweede.csv");
}

TEST_F(MainFormTest, DroppedFolderBecomesTheFolderOfItsSide) {
  WriteBytes(Dir() / "seizoen" / "a.csv", "x");
  fs::create_directories(Dir() / "rapporten");
  Start();

  Form.FormDragDrop({Dir() / "seizoen"}, TDropSide::Input);
  Form.FormDragDrop({Dir() / "rapporten"}, TDropSide::Output);
  EXPECT_EQ(Form.InDirectoryListBox.Directory(), Dir() / "seizoen");
  EXPECT_EQ(Form.InputFiles(), Paths{Dir() / "seizoen" / "a.csv"});
  EXPECT_TRUE(Form.DoAllBitBtnEnabled());
  EXPECT_EQ(Form.OutDirectoryListBox.Directory(), Dir() / "rapporten");
  EXPECT_EQ(Desktop.Watched, (Paths{Dir() / "seizoen", Dir() / "rapporten"}));

  Desktop.ClearRecords();
  Form.FormDragDrop({InBox()}, TDropSide::Elsewhere);
  EXPECT_EQ(Form.InDirectoryListBox.Directory(), Dir() / "seizoen");
  ASSERT_EQ(Desktop.Messages.size(), 1u);
  EXPECT_EQ(Desktop.Messages[0].substr(0, 18 + InBox().string().size()),
            "Niet overgenomen:\r" + InBox().string());
}

TEST_F(MainFormTest, ReportsAndFoldersOpenWithTheDesktop) {
  WriteBytes(InBox() / "a.csv", TournamentCsv());
  WriteBytes(OutBox() / "a.txt", "x");
  Start();
  Desktop.ClearRecords();

  // Nothing selected: nothing opens.
  Form.OutFileListBoxDblClick();
  Form.InFileListBoxOpen();
  EXPECT_TRUE(Desktop.Opened.empty());
  EXPECT_EQ(Form.ActivePage(), TMainForm::SelecteerBestandPage);

  Select(Form.OutFileListBox, "a.txt");
  Form.OutFileListBoxDblClick();
  Form.InFileListBoxOpenFolder();
  Form.OutFileListBoxOpenFolder();
  EXPECT_EQ(Desktop.Opened, (Paths{OutBox() / "a.txt", InBox(), OutBox()}));
  EXPECT_TRUE(Desktop.Messages.empty());

  Desktop.OpenSucceeds = false;
  Form.OutFileListBoxDblClick();
  EXPECT_EQ(Desktop.Messages,
            std::vector<std::string>{(OutBox() / "a.txt").string() + "\rKan niet worden geopend."});

  Select(Form.InFileListBox, "a.csv");
  Form.InFileListBoxOpen();
  EXPECT_EQ(Form.ActivePage(), TMainForm::FoutenPage);
  EXPECT_EQ(Form.StatusText(0), "Voorbeeldtoernooi");
}

TEST_F(MainFormTest, WatchedFoldersShowNewFilesWithoutBeepKeepingTheSelection) {
  WriteBytes(InBox() / "b.csv", TournamentCsv());
  WriteBytes(InBox() / "c.csv", TournamentCsv());
  Start();
  EXPECT_EQ(Desktop.Watched, (Paths{InBox(), OutBox()}));
  Select(Form.InFileListBox, "b.csv");
  Desktop.ClearRecords();

  WriteBytes(InBox() / "a.csv", "x");
  fs::remove(InBox() / "c.csv");
  WriteBytes(OutBox() / "a.txt", "x");
  Desktop.FolderChanged();
  EXPECT_EQ(Form.InputFiles(), (Paths{InBox() / "a.csv", InBox() / "b.csv"}));
  EXPECT_EQ(Form.InFileListBox.FileName(), InBox() / "b.csv");
  EXPECT_EQ(Form.OutFileListBox.Count(), 1);
  EXPECT_TRUE(Form.OutBoxClearBitBtnEnabled());
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
  Desktop.OnRepaint = nullptr;
  EXPECT_EQ(countMidway, 2);
  EXPECT_EQ(Form.InFileListBox.Count(), 3);

  // Another folder in a chooser is watched in place of the old one.
  fs::create_directories(InBox() / "sub");
  Form.InUpdateBitBtnClick();
  Form.InDirectoryListBoxDblClick(SubFolder(Form.InDirectoryListBox, "sub"));
  EXPECT_EQ(Desktop.Watched, (Paths{InBox() / "sub", OutBox()}));
}

TEST_F(MainFormTest, RemembersFolderNamesInUtf8AndReadsOlderOnesInCodePage1252) {
  const fs::path lodz = Dir() / "\xC5\x81\xC3\xB3\x64\xC5\xBA"; // Łódź
  const fs::path cafe = Dir() / "Caf\xC3\xA9";                  // Café
  fs::create_directories(lodz);
  fs::create_directories(cafe);
  Start();
  Form.FormDragDrop({lodz}, TDropSide::Input);
  Form.FormCloseQuery();
  EXPECT_EQ(ReadBytes(Ini()), "[LastSession]\r\nDataInMap=" + lodz.string() +
                                  "\r\nDataOutMap=" + OutBox().string() + "\r\n");

  const struct {
    const char* name;
    std::string value;
    fs::path want;
  } cases[] = {
      {"UTF-8", lodz.string(), lodz},
      {"code page 1252", Dir().string() + "/Caf\xE9", cafe},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(Ini(), "[LastSession]\r\nDataInMap=" + c.value + "\r\n");
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    EXPECT_EQ(form.InDirectoryListBox.Directory(), c.want);
  }
}

} // namespace
