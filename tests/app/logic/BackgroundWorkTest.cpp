#include "MainFormFixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A load of many lines runs beside the window: meanwhile the window takes its events, refuses
// every other command, shows how far the load is, and Stop ends the load with empty tables.
TEST_F(MainFormTest, ALongLoadShowsItsProgressAndStopsWithEmptyTables) {
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  std::string csv = TournamentCsv();
  for (int i = 0; i < 400000; ++i) csv += "900;1\r\n";
  WriteBytes(InBox() / "lang.csv", csv);
  Start();
  Open("Voorbeeld.csv");
  ASSERT_TRUE(Form.SaveDataBitBtnEnabled());
  Desktop.ClearRecords();

  std::string progress;
  Desktop.OnWait = [&] {
    EXPECT_TRUE(Form.Working());
    EXPECT_TRUE(Form.StopBitBtnEnabled());
    // The user's F5 and a second double-click are refused while the load works.
    Form.RefreshFileLists();
    Form.InFileListBoxDblClick();
    const std::string shown = Form.StatusText(1);
    if (progress.empty() && shown.find(" inlezen ") != std::string::npos) {
      progress = shown;
      Form.StopBitBtnClick();
    }
  };
  Open("lang.csv");
  Desktop.OnWait = nullptr;

  EXPECT_TRUE(progress.starts_with("lang.csv inlezen \x85 ")) << progress;
  EXPECT_TRUE(progress.ends_with(" %")) << progress;
  EXPECT_FALSE(Form.Working());
  EXPECT_EQ(Desktop.Beeps, 0);
  EXPECT_TRUE(Desktop.Messages.empty());
  EXPECT_EQ(Form.StatusText(0), "");
  EXPECT_EQ(Form.StatusText(1), "Gestopt.");
  EXPECT_FALSE(Form.SaveDataBitBtnEnabled());
  EXPECT_EQ(Form.InputGrid.RowCount(), 1);
  EXPECT_EQ(Column(Form.ErrorGrid, 2), (std::vector<std::string>{"Opmerking", ""}));
  EXPECT_EQ(Form.ToernooiGrid.RowCount(), 2);
  EXPECT_EQ(Form.Toernooi()->RegelCount(), 0);

  // The window takes commands again.
  Open("Voorbeeld.csv");
  EXPECT_EQ(Form.StatusText(0), "Voorbeeldtoernooi");
  EXPECT_EQ(Form.StatusText(1), "0 fout");
}

// Stop in "Alle" ends the run after the file it is on: every file converted so far has its
// report, its summary row and its place in the output list, and the status says where it ended.
TEST_F(MainFormTest, ConvertAllStoppedEndsAfterTheCurrentFile) {
  const int files = 40;
  for (int i = 0; i < files; ++i)
    WriteBytes(InBox() / ("t" + std::to_string(100 + i) + ".csv"), TournamentCsv());
  Start();
  Desktop.ClearRecords();
  Desktop.Answers = {true};
  Desktop.OnWait = [&] { Form.StopBitBtnClick(); };
  Form.DoAllBitBtnClick();
  Desktop.OnWait = nullptr;

  const int done = Form.OutFileListBox.Count();
  ASSERT_LT(done, files);
  EXPECT_EQ(Form.StatusText(0),
            "Gestopt na " + std::to_string(done) + " van " + std::to_string(files) + " bestanden");
  EXPECT_EQ(Form.ErrorGrid.RowCount(), 1 + done + 1);
  EXPECT_EQ(Desktop.Beeps, done);
  int written = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(OutBox()))
    written += entry.path().extension() == ".txt";
  EXPECT_EQ(written, done);
}

} // namespace
