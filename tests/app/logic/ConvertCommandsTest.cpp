#include "MainFormFixture.h"
#include "support/HeldFile.h"
#include "support/SparseRondes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The report of TournamentCsv() under a full stop as decimal separator.
std::string VoorbeeldReport(const std::string& naam = "Voorbeeldtoernooi") {
  const std::vector<std::string> lines = {
      "012 " + naam,
      "022 Voorbeeldstad",
      "032 NED",
      "042 2009-10-03",
      "052 2009-10-10",
      "062 2",
      "102 Ab Cd",
      "122 60 min",
      "",
      "--- 5678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
      "01234567890123456789",
      "--- SSSS sTTT NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN RRRR FFF IIIIIIIIIII BBBB/BB/BB PPPP RRRR"
      "  1111 1 1  2222 2 2",
      "132" + std::string(88, ' ') + "09.10.03  09.10.10  ",
      "001    1      Ab, Cd                                 NED     7000001 2001-05-17  1.5    1"
      "     2 w 1     2 z =",
      "001    2      Ef, Gh                                 NED                         0.5    2"
      "     1 z 0     1 w =",
      "",
      "--- Morvelander v0.1 (2009-11-08)",
  };
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string InUse(const fs::path& path) {
  return path.string() + "\rWordt reeds gebruikt.\rGeen bestand gemaakt.";
}

const char* const Denied = " Geen toegang: het bestand mag niet overschreven worden. Geen "
                           "bestand gemaakt.";

void MakeReadOnly(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

using Texts = std::vector<std::string>;

TEST_F(MainFormTest, DoubleClickLoadsTheFileAndShowsTheErrorList) {
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  Start();
  Desktop.ClearRecords();
  Open("Voorbeeld.csv");

  EXPECT_EQ(Form.InputGrid.GetCell(1, 0), "012");
  EXPECT_EQ(Form.InputGrid.RowCount(), 9);
  EXPECT_EQ(Form.ToernooiGrid.RowCount(), 4);
  EXPECT_EQ(Form.ToernooiGrid.GetCell(4, 1), "Ab, Cd");
  EXPECT_EQ(Column(Form.ErrorGrid, 2), (Texts{"Opmerking", "Voorbeeld.csv", ""}));
  EXPECT_EQ(Column(Form.ErrorGrid, 3), (Texts{"Fout", "0", ""}));
  EXPECT_EQ(Form.ActivePage(), TMainForm::FoutenPage);
  EXPECT_EQ(Form.StatusText(0), "Voorbeeldtoernooi");
  EXPECT_EQ(Form.StatusText(1), "0 fout");
  EXPECT_TRUE(Form.SaveDataBitBtnEnabled());
  EXPECT_EQ(Desktop.Beeps, 1);
  EXPECT_TRUE(Desktop.Messages.empty());
  EXPECT_TRUE(Desktop.Errors.empty());
}

TEST_F(MainFormTest, DoubleClickWithoutAFileOnlyEmptiesTheTables) {
  const struct {
    const char* name;
    bool select;
    bool remove;
  } cases[] = {{"nothing selected", false, false}, {"file vanished since", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(InBox() / "a.csv", TournamentCsv());
    WriteBytes(InBox() / "b.csv", TournamentCsv());
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    form.InFileListBox.SetItemIndex(0);
    form.InFileListBoxDblClick();
    form.SetActivePage(1);
    desktop.ClearRecords();

    form.InFileListBox.SetItemIndex(c.select ? 1 : -1);
    if (c.remove) fs::remove(InBox() / "b.csv");
    form.InFileListBoxDblClick();
    EXPECT_EQ(form.ToernooiGrid.RowCount(), 2);
    EXPECT_EQ(form.ToernooiGrid.GetCell(4, 1), "");
    EXPECT_EQ(Column(form.ErrorGrid, 2), (Texts{"Opmerking", ""}));
    EXPECT_EQ(form.InputGrid.GetCell(1, 0), "012");
    EXPECT_EQ(form.ActivePage(), 1);
    EXPECT_EQ(desktop.Beeps, 0);
  }
}

TEST_F(MainFormTest, SaveAsksByTargetAndWritesOnlyOnYes) {
  const struct {
    const char* name;
    const char* chosen; // relative to the program folder
    bool exists;
    bool yes;
    const char* question;
  } cases[] = {
      {"new report", "OutBox/Voorbeeld.txt", false, true, "Voorbeeld.txt\r\rbewaren ?"},
      {"overwrite", "OutBox/Voorbeeld.txt", true, true, "Voorbeeld.txt\r\rOverschrijven ?"},
      {"keep", "OutBox/Voorbeeld.txt", true, false, "Voorbeeld.txt\r\rOverschrijven ?"},
      {"other folder, no extension", "Elders/verslag", false, true, "verslag\r\rbewaren ?"},
  };
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  fs::create_directory(Dir() / "Elders");
  Start();
  Open("Voorbeeld.csv");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path chosen = Dir() / c.chosen;
    fs::remove(chosen);
    if (c.exists) WriteBytes(chosen, "old");
    Desktop.ClearRecords();
    Desktop.SaveAnswer = chosen;
    Desktop.Answers = {c.yes};

    Form.SaveDataBitBtnClick();
    EXPECT_EQ(Desktop.SaveSuggestions, std::vector<fs::path>{OutBox() / "Voorbeeld.txt"});
    EXPECT_EQ(Desktop.Questions, Texts{c.question});
    EXPECT_EQ(Desktop.Repaints, 1);
    if (c.yes)
      EXPECT_EQ(ReadBytes(chosen), VoorbeeldReport());
    else
      EXPECT_EQ(ReadBytes(chosen), "old");
    EXPECT_EQ(Desktop.Beeps, 1);
    EXPECT_TRUE(Desktop.Messages.empty());
  }
  EXPECT_EQ(Form.OutFileListBox.Count(), 1);
}

TEST_F(MainFormTest, SaveCancelledStillRefreshesTheOutputList) {
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  Start();
  Open("Voorbeeld.csv");
  WriteBytes(OutBox() / "other.txt", "x");
  Desktop.ClearRecords();

  Form.SaveDataBitBtnClick();
  EXPECT_TRUE(Desktop.Questions.empty());
  EXPECT_FALSE(fs::exists(OutBox() / "Voorbeeld.txt"));
  EXPECT_EQ(Form.OutFileListBox.Count(), 1);
  EXPECT_EQ(Desktop.Beeps, 1);
}

// A target another program holds is in use; a read-only one is denied.
TEST_F(MainFormTest, SaveToATargetInUseOrReadOnlyLeavesItUntouchedAndSaysWhy) {
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  Start();
  Open("Voorbeeld.csv");
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "held");
    const fs::path target = OutBox() / (readOnly ? "Alleen.txt" : "Bezet.txt");
    WriteBytes(target, "old");
    std::optional<THeldFile> held;
    if (readOnly)
      MakeReadOnly(target);
    else
      held.emplace(target);
    Desktop.ClearRecords();
    Desktop.SaveAnswer = target;
    Desktop.Answers = {true};

    Form.SaveDataBitBtnClick();
    const std::string why =
        readOnly
            ? target.string() +
                  "\rGeen toegang: het bestand mag niet overschreven worden.\rGeen bestand gemaakt."
            : InUse(target);
    EXPECT_EQ(Desktop.Messages, Texts{why});
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Desktop.Beeps, 1);
  }
}

// The refusal names the file as it is, also where code page 1252 has no letter for it.
TEST_F(MainFormTest, SaveOverTheOpenedFileIsRefusedAndKeepsIt) {
  const fs::path input = InBox() / "Łódź.csv";
  WriteBytes(input, TournamentCsv());
  Start();
  Form.InFileListBox.SetItemIndex(0);
  Form.InFileListBoxDblClick();
  ASSERT_EQ(Form.StatusText(0), "Voorbeeldtoernooi");
  Desktop.ClearRecords();
  Desktop.SaveAnswer = input;
  Desktop.Answers = {true};

  Form.SaveDataBitBtnClick();
  EXPECT_EQ(Desktop.Messages, Texts{"Łódź.csv\r\rHet rapport " + input.string() +
                                    "\rzou het invoerbestand vervangen.\rGeen bestand gemaakt."});
  EXPECT_TRUE(Desktop.Questions.empty());
  EXPECT_EQ(ReadBytes(input), TournamentCsv());
  EXPECT_EQ(Desktop.Beeps, 1);
}

// The summary row of "Alle", "ClipBoard" and Ctrl+C name the file as it is, and the summary
// row still leads to its file.
TEST_F(MainFormTest, SummaryRowsAndCopiesNameFilesAsTheyAre) {
  WriteBytes(InBox() / "Łódź.csv", TournamentCsv());
  Start();
  Desktop.Answers = {true};
  Form.DoAllBitBtnClick();
  ASSERT_EQ(Column(Form.ErrorGrid, 3), (Texts{"Fout", "0", ""}));
  EXPECT_EQ(Form.ErrorCellText(2, 1), "Łódź.csv");

  Form.ClipBoardBitBtnClick();
  Form.CopyCells(Form.ErrorGrid, 1, 1, 2, 1);
  EXPECT_EQ(Desktop.Clipboard,
            (Texts{"\tRegel\tOpmerking\tFout\r\n1\t\tŁódź.csv\t0\r\n\t\t\t\r\n", "\tŁódź.csv"}));

  Form.ErrorGridDblClick(1);
  EXPECT_EQ(Form.Toernooi()->SourcePath(), InBox() / "Łódź.csv");
}

TEST_F(MainFormTest, SaveWhereNoFileCanBeCreatedSaysWhy) {
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  Start();
  Open("Voorbeeld.csv");
  const fs::path target = Dir() / "gone" / "Voorbeeld.txt";
  Desktop.ClearRecords();
  Desktop.SaveAnswer = target;
  Desktop.Answers = {true};

  Form.SaveDataBitBtnClick();
  EXPECT_EQ(Desktop.Messages,
            Texts{target.string() + "\rKan niet gemaakt worden...\rDe map bestaat niet."});
  EXPECT_TRUE(Desktop.Errors.empty());
  EXPECT_EQ(Desktop.Beeps, 1);
}

// A file gone from the folder gets a row that says so; the status line counts it refused.
TEST_F(MainFormTest, ConvertAllWritesEveryReportAndListsVanishedFiles) {
  for (const char* name : {"a.csv", "b.csv", "c.csv", "D.CSV"})
    WriteBytes(InBox() / name, TournamentCsv(std::string("Toernooi ") + name[0]));
  fs::create_directories(OutBox());
  WriteBytes(OutBox() / "c.txt", "old");
  Start();
  fs::remove(InBox() / "b.csv");
  Desktop.ClearRecords();
  Desktop.Answers = {true};
  Texts progress;
  Texts names;
  Desktop.OnRepaint = [&] {
    progress.push_back(Form.StatusText(1));
    names.push_back(Form.StatusText(0));
  };

  Form.DoAllBitBtnClick();
  EXPECT_EQ(Desktop.Questions, Texts{"Alle bestanden in \r" + InBox().string() +
                                     "\r\rtransformeren in Fide2006 bestanden ?"});
  EXPECT_EQ(ReadBytes(OutBox() / "a.txt"), VoorbeeldReport("Toernooi a"));
  EXPECT_EQ(ReadBytes(OutBox() / "c.txt"), VoorbeeldReport("Toernooi c"));
  EXPECT_EQ(ReadBytes(OutBox() / "D.txt"), VoorbeeldReport("Toernooi D"));
  EXPECT_FALSE(fs::exists(OutBox() / "b.txt"));
  EXPECT_EQ(
      Column(Form.ErrorGrid, 2),
      (Texts{"Opmerking", "a.csv", "b.csv Kan niet geopend worden... Het bestand bestaat niet.",
             "c.csv", "D.CSV", ""}));
  // A file that gave no lines has no count of findings.
  EXPECT_EQ(Column(Form.ErrorGrid, 3), (Texts{"Fout", "0", "", "0", "0", ""}));
  EXPECT_EQ(Desktop.Beeps, 3);
  // The window shows the count as far as the run got at each repaint, to the last file.
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), "4 van 4 bestanden");
  for (const std::string& shown : progress)
    EXPECT_TRUE(shown.empty() || shown.ends_with(" van 4 bestanden")) << shown;
  EXPECT_EQ(Form.ActivePage(), TMainForm::FoutenPage);
  // No tournament's name stands beside the run, neither the one opened before nor its last.
  for (const std::string& shown : names) EXPECT_EQ(shown, "");
  EXPECT_EQ(Form.StatusText(0), "3 rapporten in OutBox; 1 bestand geweigerd");
  EXPECT_EQ(Form.StatusText(1), "");
  EXPECT_EQ(Form.ToernooiGrid.GetCell(4, 2), "Ef, Gh");
  EXPECT_EQ(Form.OutFileListBox.Count(), 3);
  EXPECT_TRUE(Desktop.Messages.empty());
  EXPECT_TRUE(Desktop.Errors.empty());
}

// Two inputs whose reports share a name, a file too large to read and one whose report would be
// too large are each passed over with their reason on their row, without a message; the output
// list gains the new reports as a re-reading would list them.
TEST_F(MainFormTest, ConvertAllPassesOverASecondReportOfOneNameAndTooLargeFiles) {
  WriteBytes(InBox() / "x.csv", TournamentCsv("Toernooi x"));
  WriteBytes(InBox() / "x.CSV", TournamentCsv("Toernooi X"));
  WriteBytes(InBox() / "groot.csv", TournamentCsv());
  fs::resize_file(InBox() / "groot.csv", (std::uintmax_t{256} << 20) + 1);
  WriteBytes(InBox() / "ruim.csv", SparseRondesCsv(4000));
  WriteBytes(InBox() / "z.csv", TournamentCsv("Toernooi z"));
  fs::create_directories(OutBox());
  WriteBytes(OutBox() / "b.txt", "old");
  Start();
  Desktop.ClearRecords();
  Desktop.Answers = {true};

  Form.DoAllBitBtnClick();
  // The list orders the two names by their bytes: "x.CSV" comes first.
  const std::string first = Form.InFileListBox.Item(2);
  const std::string second = Form.InFileListBox.Item(3);
  EXPECT_TRUE(Desktop.Messages.empty());
  EXPECT_EQ(
      Column(Form.ErrorGrid, 2),
      (Texts{"Opmerking",
             "groot.csv Kan niet geopend worden... Het bestand is te groot (257 MiB; de "
             "grens is 256 MiB).",
             "ruim.csv Het rapport zou te groot worden (306 MiB; de grens is 256 MiB).", first,
             second + " Het rapport " + (OutBox() / "x.txt").string() +
                 " is in deze opdracht al gemaakt voor " + first + ". Geen bestand gemaakt.",
             "z.csv", ""}));
  EXPECT_EQ(Form.StatusText(0), "2 rapporten in OutBox; 3 bestanden geweigerd");
  EXPECT_EQ(first, "x.CSV");
  EXPECT_EQ(ReadBytes(OutBox() / "x.txt"), VoorbeeldReport("Toernooi X"));
  EXPECT_EQ(ReadBytes(OutBox() / "z.txt"), VoorbeeldReport("Toernooi z"));
  EXPECT_FALSE(fs::exists(OutBox() / "groot.txt"));
  EXPECT_FALSE(fs::exists(OutBox() / "ruim.txt"));
  Texts shown;
  for (int i = 0; i < Form.OutFileListBox.Count(); ++i)
    shown.push_back(Form.OutFileListBox.Item(i));
  EXPECT_EQ(shown, (Texts{"b.txt", "x.txt", "z.txt"}));
  Form.OutFileListBox.Update();
  for (int i = 0; i < Form.OutFileListBox.Count(); ++i)
    EXPECT_EQ(Form.OutFileListBox.Item(i), shown[static_cast<std::size_t>(i)]);
  EXPECT_TRUE(Desktop.Errors.empty());
}

TEST_F(MainFormTest, ConvertAllAnsweredNoOnlyEmptiesTheErrorCountPanel) {
  WriteBytes(InBox() / "a.csv", TournamentCsv());
  Start();
  Form.SetStatusText(1, "3 fout");
  Desktop.ClearRecords();

  Form.DoAllBitBtnClick();
  EXPECT_EQ(Desktop.Questions.size(), 1u);
  EXPECT_EQ(Form.StatusText(1), "");
  EXPECT_EQ(Form.ActivePage(), 0);
  EXPECT_EQ(Form.ErrorGrid.RowCount(), 2);
  EXPECT_FALSE(fs::exists(OutBox() / "a.txt"));
  EXPECT_EQ(Desktop.Beeps, 0);
}

// Only a lock makes an input file busy; a read-only input is converted.
TEST_F(MainFormTest, ConvertAllWritesNoReportForAnInputFileInUse) {
  for (const char* name : {"a.csv", "b.csv", "c.csv"}) WriteBytes(InBox() / name, TournamentCsv());
  fs::create_directories(OutBox());
  WriteBytes(OutBox() / "b.txt", "old");
  MakeReadOnly(InBox() / "c.csv");
  const THeldFile held(InBox() / "b.csv");
  Start();
  Desktop.ClearRecords();
  Desktop.Answers = {true};

  Form.DoAllBitBtnClick();
  const std::string inUse = " Kan niet geopend worden... Wordt reeds gebruikt door een ander "
                            "programma.";
  EXPECT_TRUE(Desktop.Messages.empty());
  EXPECT_EQ(ReadBytes(OutBox() / "b.txt"), "old");
  EXPECT_EQ(ReadBytes(OutBox() / "a.txt"), VoorbeeldReport());
  EXPECT_EQ(ReadBytes(OutBox() / "c.txt"), VoorbeeldReport());
  EXPECT_EQ(Column(Form.ErrorGrid, 2), (Texts{"Opmerking", "a.csv", "b.csv" + inUse, "c.csv", ""}));
}

TEST_F(MainFormTest, ConvertAllPassesOverAReportInUse) {
  for (const char* name : {"a.csv", "c.csv"}) WriteBytes(InBox() / name, TournamentCsv());
  fs::create_directories(OutBox());
  WriteBytes(OutBox() / "a.txt", "old");
  MakeReadOnly(OutBox() / "a.txt");
  Start();
  Desktop.ClearRecords();
  Desktop.Answers = {true};

  Form.DoAllBitBtnClick();
  EXPECT_TRUE(Desktop.Messages.empty());
  // The row names the report it could not write, as its message would.
  EXPECT_EQ(Column(Form.ErrorGrid, 2),
            (Texts{"Opmerking", "a.csv " + (OutBox() / "a.txt").string() + Denied, "c.csv", ""}));
  EXPECT_EQ(ReadBytes(OutBox() / "a.txt"), "old");
  EXPECT_EQ(ReadBytes(OutBox() / "c.txt"), VoorbeeldReport());
}

// A report that cannot be written is told on its row, and the run goes on with the next file
// without a message for each.
// A folder gone, whether before the run or during it, leaves no later report a place: the run
// ends at the first report it cannot write with one message, and the rows and reports of the
// files before it stay.
TEST_F(MainFormTest, ConvertAllEndsWithOneMessageWhenTheOutputFolderVanishes) {
  const struct {
    const char* name;
    int vanishesAtLoad; // the load during which the folder goes; 0: before the run
    Texts rows;
    std::string end;
  } cases[] = {
      {"gone before the run", 0, {"Opmerking", "a.csv "}, "Gestopt na 1 van 3 bestanden"},
      {"gone after the first file",
       2,
       {"Opmerking", "a.csv", "b.csv "},
       "Gestopt na 2 van 3 bestanden"},
  };
  const std::string why = " Kan niet gemaakt worden... De map bestaat niet.";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::create_directories(OutBox());
    for (const char* name : {"a.csv", "b.csv", "c.csv"})
      WriteBytes(InBox() / name, TournamentCsv());
    TFakeDesktop desktop;
    TMainForm form(Dir() / "Morvelander", desktop, '.');
    form.FormCreate();
    form.FormActivate();
    if (c.vanishesAtLoad == 0) fs::remove_all(OutBox());
    // Called on the run's thread as each load ends, before its report is written.
    int loads = 0;
    form.Conversion.Toernooi.OnProgress = [&](std::size_t read, std::size_t size) {
      if (read == size && ++loads == c.vanishesAtLoad) fs::remove_all(OutBox());
    };
    desktop.Answers = {true};

    form.DoAllBitBtnClick();
    const fs::path failed = OutBox() / (c.vanishesAtLoad == 0 ? "a.txt" : "b.txt");
    EXPECT_EQ(desktop.Messages, Texts{failed.string() + "\rKan niet gemaakt worden...\rDe map "
                                                        "bestaat niet."});
    EXPECT_TRUE(desktop.Errors.empty());
    Texts rows = c.rows;
    rows.back() += failed.string() + why;
    rows.push_back("");
    EXPECT_EQ(Column(form.ErrorGrid, 2), rows);
    EXPECT_EQ(form.StatusText(0), c.end);
    EXPECT_FALSE(form.StopBitBtnEnabled());
    form.FormDestroy();
  }
}

// Every file of the run is a row: an empty file, one that is not text and one whose report
// is refused each say why on their row, and no message holds the run up.
TEST_F(MainFormTest, ConvertAllListsEveryFileWithTheReasonItGaveNoReport) {
  WriteBytes(InBox() / "a.csv", TournamentCsv());
  WriteBytes(InBox() / "b.csv", TournamentCsv("Toernooi b"));
  WriteBytes(InBox() / "leeg.csv", "");
  WriteBytes(InBox() / "beeld.csv", std::string(2000, '\x01'));
  WriteBytes(OutBox() / "a.txt", "old");
  MakeReadOnly(OutBox() / "a.txt");
  Start();
  Desktop.ClearRecords();
  Desktop.Answers = {true};

  Form.DoAllBitBtnClick();
  EXPECT_TRUE(Desktop.Messages.empty());
  EXPECT_TRUE(Desktop.Errors.empty());
  EXPECT_EQ(Column(Form.ErrorGrid, 2),
            (Texts{"Opmerking", "a.csv " + (OutBox() / "a.txt").string() + Denied, "b.csv",
                   "beeld.csv Het bestand is geen tekstbestand: het begint met NUL-tekens of veel "
                   "andere stuurtekens.",
                   "leeg.csv Het bestand is leeg.", ""}));
  EXPECT_EQ(Form.StatusText(0), "1 rapport in OutBox; 3 bestanden geweigerd");
  EXPECT_EQ(ReadBytes(OutBox() / "a.txt"), "old");
  // A row of a file that gave no lines opens that file, which says why again.
  Desktop.ClearRecords();
  Form.ErrorGridDblClick(4);
  EXPECT_EQ(Desktop.Messages, Texts{"leeg.csv\r\rHet bestand is leeg."});
}

// An open that reads nothing says why, and leaves nothing of the file before it: its name, its
// count and its report. The window shows that before the message holds it up.
TEST_F(MainFormTest, OpeningAnEmptyOrVanishedFileSaysWhyAndClearsThePreviousFile) {
  WriteBytes(InBox() / "a.csv", TournamentCsv());
  WriteBytes(InBox() / "leeg.csv", "");
  WriteBytes(InBox() / "weg.csv", TournamentCsv());
  Start();
  const struct {
    const char* name;
    std::string want;
    int wantFiles;
  } cases[] = {
      {"leeg.csv", "leeg.csv\r\rHet bestand is leeg.", 3},
      {"weg.csv", "weg.csv\r\rKan niet geopend worden...\rHet bestand bestaat niet.", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Open("a.csv");
    ASSERT_EQ(Form.StatusText(0), "Voorbeeldtoernooi");
    ASSERT_TRUE(Form.SaveDataBitBtnEnabled());
    Desktop.ClearRecords();
    Texts shown;
    Desktop.OnRepaint = [&] {
      shown = {Form.StatusText(0), Form.StatusText(1), Form.StopBitBtnEnabled() ? "Stop" : ""};
    };
    if (std::string(c.name) == "weg.csv") {
      Form.InFileListBox.SetItemIndex(2);
      fs::remove(InBox() / c.name);
      Form.InFileListBoxDblClick();
    } else {
      Open(c.name);
    }
    Desktop.OnRepaint = nullptr;
    EXPECT_EQ(Desktop.Messages, Texts{c.want});
    EXPECT_EQ(shown, (Texts{"", "", ""}));
    EXPECT_FALSE(Form.SaveDataBitBtnEnabled());
    EXPECT_EQ(Form.InFileListBox.Count(), c.wantFiles);
  }
}

TEST_F(MainFormTest, ClipboardRightAfterStartCopiesTheEmptyErrorList) {
  Start();
  Desktop.ClearRecords();
  Form.ClipBoardBitBtnClick();
  EXPECT_EQ(Desktop.Clipboard, Texts{"\tRegel\tOpmerking\tFout\r\n\t\t\t\r\n"});
  EXPECT_EQ(Desktop.Beeps, 1);
}

TEST_F(MainFormTest, DecimalCommaReachesPointsAndReport) {
  WriteBytes(InBox() / "Voorbeeld.csv", TournamentCsv());
  TMainForm form(Dir() / "Morvelander", Desktop, ',');
  form.FormCreate();
  form.FormActivate();
  form.InFileListBox.SetItemIndex(0);
  form.InFileListBoxDblClick();
  EXPECT_EQ(form.ToernooiGrid.GetCell(9, 1), "1,5");
  ASSERT_FALSE(form.Toernooi()->ReportLines.empty());
  EXPECT_EQ(form.Toernooi()->ReportLines.back(), "--- Morvelander v0,1 (2009-11-08)");
}

// A file named on the command line: the input chooser goes to its folder and the file opens as
// a double-click opens it; a file outside the list opens nothing, as a double-click would.
TEST(MainFormStartFile, OpensTheFileAsADoubleClickDoes) {
  const TTempDir temp;
  const fs::path elsewhere = temp.Path() / "elsewhere";
  WriteBytes(elsewhere / "Open 2009.csv", TournamentCsv("Open 2009"));
  WriteBytes(elsewhere / "notes.txt", TournamentCsv());
  const struct {
    const char* name;
    fs::path file;
    fs::path wantFolder;
    std::string wantSelected;
    int wantPage;
    Texts wantMessages;
  } cases[] = {
      {"a tournament",
       elsewhere / "Open 2009.csv",
       elsewhere,
       "Open 2009.csv",
       TMainForm::FoutenPage,
       {}},
      {"a missing file",
       elsewhere / "gone.csv",
       elsewhere,
       "",
       TMainForm::SelecteerBestandPage,
       {}},
      {"not a tournament",
       elsewhere / "notes.txt",
       elsewhere,
       "",
       TMainForm::SelecteerBestandPage,
       {}},
      {"a missing folder",
       temp.Path() / "nowhere" / "Open 2009.csv",
       temp.Path() / "InBox",
       "",
       TMainForm::SelecteerBestandPage,
       {(temp.Path() / "nowhere").string() + "\rKan niet geopend worden...\rDe map bestaat niet."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFakeDesktop desktop;
    TMainForm form(temp.Path() / "Morvelander", desktop, '.');
    form.SetStartFile(c.file);
    form.FormCreate();
    form.FormActivate();
    EXPECT_EQ(form.InDirectoryListBox.Directory(), c.wantFolder);
    EXPECT_EQ(form.InFileListBox.ItemIndex() < 0
                  ? ""
                  : form.InFileListBox.Item(form.InFileListBox.ItemIndex()),
              c.wantSelected);
    EXPECT_EQ(form.ActivePage(), c.wantPage);
    EXPECT_EQ(form.StatusText(0), c.wantSelected.empty() ? "" : "Open 2009");
    EXPECT_EQ(form.ToernooiGrid.RowCount(), c.wantSelected.empty() ? 2 : 4);
    EXPECT_EQ(desktop.Messages, c.wantMessages);
    EXPECT_TRUE(desktop.Errors.empty());
  }
}

} // namespace
