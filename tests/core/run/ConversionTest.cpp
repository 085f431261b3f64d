#include "core/run/Conversion.h"

#include "core/text/Cp1252.h"
#include "core/tournament/CoreUI.h"
#include "support/HeldFile.h"
#include "support/SparseRondes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string Valid = "012;Naam van toernooi\r\n"
                          "900;1;14-11-2009;1;2;1;Ab, Cd;Ef, Gh;01-01-2000;01-01-2000\r\n";

fs::path WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// One run over files of every kind, into the folder that also holds two of its inputs: what
// each file ends in, what the user is told, and which reports are written. A report that
// cannot be written is its file's outcome, and the run goes on.
TEST(ConversionRun, DecidesEveryFileAndTellsWhy) {
  TTempDir in;
  TTempDir out;
  const fs::path o = out.Path();
  const fs::path held = WriteFile(o / "bezet.txt", "oud\r\n");
  const THeldFile lock(held);
  const fs::path readOnly = WriteFile(o / "alleen.txt", "oud\r\n");
  fs::permissions(readOnly, fs::perms::owner_read);
  fs::create_directory(o / "map.txt");
  const struct {
    fs::path input;
    TConvertOutcome want;
    // What the window and the page show; empty when they pass the file over silently.
    std::string told;
  } cases[] = {
      {WriteFile(in / "a.csv", Valid), TConvertOutcome::Done, ""},
      {WriteFile(in / "a.CSV", Valid), TConvertOutcome::AlreadyWritten,
       "a.CSV\r\rHet rapport " + PathText(o / "a.txt") +
           "\ris in deze opdracht al gemaakt voor a.csv.\rGeen bestand gemaakt."},
      {WriteFile(in / "x.csv", Valid), TConvertOutcome::WouldReplaceInput,
       "x.csv\r\rHet rapport " + PathText(o / "x.txt") + "\rzou het invoerbestand " +
           PathText(o / "x.txt") + " van deze opdracht vervangen.\rGeen bestand gemaakt."},
      {WriteFile(o / "x.txt", Valid), TConvertOutcome::WouldReplaceInput,
       "x.txt\r\rHet rapport " + PathText(o / "x.txt") +
           "\rzou het invoerbestand vervangen.\rGeen bestand gemaakt."},
      {WriteFile(in / "bezet.csv", Valid), TConvertOutcome::TargetInUse,
       PathText(held) + "\rWordt reeds gebruikt.\rGeen bestand gemaakt."},
      {WriteFile(in / "alleen.csv", Valid), TConvertOutcome::TargetDenied,
       PathText(readOnly) +
           "\rGeen toegang: het bestand mag niet overschreven worden.\rGeen bestand gemaakt."},
      {WriteFile(in / "map.CSV", Valid), TConvertOutcome::WriteFailed,
       PathText(o / "map.txt") + "\rKan niet gemaakt worden...\rEr staat een map met die naam."},
      {WriteFile(in / "ruim.csv", SparseRondesCsv(4000)), TConvertOutcome::ReportTooLarge,
       "ruim.csv\r\rHet rapport zou te groot worden (306 MiB; de grens is 256 MiB)."},
      {WriteFile(in / "vol.csv", ManySpelersCsv(40000)), TConvertOutcome::ReportTooLarge,
       "vol.csv\r\rHet toernooi is te groot (80000 spelers in 1 ronde vragen meer dan 53 MiB "
       "geheugen, de grens voor dit bestand)."},
      {WriteFile(in / "nul.csv", std::string(1, '\0') + Valid), TConvertOutcome::NotRead,
       "nul.csv\r\rHet bestand is geen tekstbestand: het begint met NUL-tekens of veel andere "
       "stuurtekens."},
      {fs::create_directories(in / "map.csv") ? in / "map.csv" : fs::path(),
       TConvertOutcome::NotRead,
       "map.csv\r\rKan niet geopend worden...\rHet is geen gewoon bestand maar een map of "
       "apparaat."},
      {WriteFile(in / "leeg.csv", ""), TConvertOutcome::NotRead, ""},
      {in / "weg.csv", TConvertOutcome::NotRead, ""},
  };
  std::vector<fs::path> inputs;
  for (const auto& c : cases) inputs.push_back(c.input);

  TCoreUI ui;
  TConversion conversion(ui);
  conversion.StartRun(inputs);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.native());
    const TConvertResult result = conversion.ConvertFile(c.input, o);
    EXPECT_EQ(result.Outcome, c.want);
    EXPECT_EQ(result.Told() ? result.Text() : "", c.told);
  }

  std::vector<std::string> written;
  for (const auto& entry : fs::directory_iterator(o))
    written.push_back(entry.path().filename().string());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written,
            (std::vector<std::string>{"a.txt", "alleen.txt", "bezet.txt", "map.txt", "x.txt"}));
  EXPECT_TRUE(fs::is_empty(o / "map.txt"));
  for (const fs::path& kept : {held, readOnly}) {
    std::ifstream bytes(kept, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(bytes), {}), "oud\r\n");
  }
  std::ifstream input(o / "x.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(input), {}), Valid);
}

// The page's run keeps its reports itself: a report name counts once per run.
TEST(ConversionRun, CountsReportNamesOfBytesOncePerRun) {
  TCoreUI ui;
  TConversion conversion(ui);
  conversion.StartRun({});
  EXPECT_TRUE(conversion.ConvertBytes("b.csv", Valid).Done());
  EXPECT_EQ(conversion.ReportName(), "b.txt");
  EXPECT_EQ(conversion.ConvertBytes("b.CSV", Valid).Text(),
            "b.CSV\r\rHet rapport b.txt\ris in deze opdracht al gemaakt voor b.csv.\rGeen "
            "bestand gemaakt.");
  // A report the page could not store frees its name for the next file of the run.
  EXPECT_TRUE(conversion.ConvertBytes("c.csv", Valid).Done());
  EXPECT_EQ(
      conversion
          .NotWritten("c.csv", "map/c.txt", std::make_error_code(std::errc::read_only_file_system))
          .Text(),
      "map/c.txt\rKan niet gemaakt worden...\rDe schijf is alleen te lezen.");
  EXPECT_TRUE(conversion.ConvertBytes("c.CSV", Valid).Done());
  // A file without lines may be listed too, named as the page names it.
  conversion.ListRefused(conversion.ConvertBytes("Łódź.csv", ""));
  const TMessageNaming asGiven{Cp1252Naming().Text,
                               [](const fs::path& path) { return path.filename().string(); },
                               Cp1252Naming().Path};
  const int row = conversion.ErrorGrid.RowCount() - 2;
  EXPECT_EQ(conversion.ErrorGrid.GetCell(2, row), "?\xF3"
                                                  "d?.csv Het bestand is leeg.");
  EXPECT_EQ(conversion.ErrorCell(2, row, asGiven), "Łódź.csv Het bestand is leeg.");
  // It has no findings to count: its row gives the reason, not a count of 0.
  EXPECT_EQ(conversion.ErrorGrid.GetCell(3, row), "");
  conversion.StartRun({});
  EXPECT_TRUE(conversion.ConvertBytes("b.CSV", Valid).Done());
}

// The page's reports go to disks that compare names in their own way: a name of the same key
// is refused as written before, and the file's summary row says so after its count.
TEST(ConversionRun, RefusesAReportNameOfTheSameKeyAndSaysSoInItsRow) {
  TCoreUI ui;
  TConversion conversion(ui);
  conversion.SetReportKey([](const std::string& name) {
    std::string key = name;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
  });
  conversion.StartRun({});
  EXPECT_TRUE(conversion.ConvertBytes("Open.csv", Valid).Done());
  const int first = conversion.ErrorGrid.RowCount() - 2;
  const TConvertResult second = conversion.ConvertBytes("OPEN.csv", Valid);
  EXPECT_EQ(second.Outcome, TConvertOutcome::AlreadyWritten);
  conversion.ListRefused(second);
  const int row = conversion.ErrorGrid.RowCount() - 2;
  ASSERT_NE(row, first);
  EXPECT_EQ(conversion.ErrorGrid.GetCell(2, row),
            "OPEN.csv Het rapport OPEN.txt is in deze opdracht al gemaakt voor Open.csv. Geen "
            "bestand gemaakt.");
  EXPECT_EQ(conversion.ErrorGrid.GetCell(3, row), conversion.ErrorGrid.GetCell(3, first));
  EXPECT_EQ(conversion.ErrorGrid.GetCell(2, first), "Open.csv");
  // Names outside code page 1252 stay as they are in the whole row, the earlier file's too.
  EXPECT_TRUE(conversion.ConvertBytes("Győr.csv", Valid).Done());
  conversion.ListRefused(conversion.ConvertBytes("GYőR.csv", Valid));
  EXPECT_EQ(conversion.ErrorCell(2, conversion.ErrorGrid.RowCount() - 2, Utf8Naming()),
            "GYőR.csv Het rapport GYőR.txt is in deze opdracht al gemaakt voor Győr.csv. Geen "
            "bestand gemaakt.");
}

// A save asks only for a target it may write, and writes only what the user confirmed.
TEST(ConversionSave, RefusesTheInputAndAHeldTargetAndAsksForTheRest) {
  TTempDir dir;
  const fs::path input = WriteFile(dir / "t.csv", Valid);
  TCoreUI ui;
  TConversion conversion(ui);
  ASSERT_TRUE(conversion.Open(input).Done());
  ASSERT_TRUE(conversion.HasReport());
  int asked = 0;
  const auto yes = [&] { return ++asked > 0; };

  EXPECT_EQ(conversion.Save(input, yes).Outcome, TConvertOutcome::WouldReplaceInput);
  EXPECT_EQ(conversion.Save(dir / "t.txt", [&] { return ++asked < 0; }).Outcome,
            TConvertOutcome::Declined);
  EXPECT_FALSE(fs::exists(dir / "t.txt"));
  const fs::path held = WriteFile(dir / "held.txt", "");
  const THeldFile lock(held);
  EXPECT_EQ(conversion.Save(held, yes).Outcome, TConvertOutcome::TargetInUse);
  EXPECT_TRUE(conversion.Save(dir / "t.txt", yes).Done());
  EXPECT_EQ(asked, 3);
  EXPECT_TRUE(fs::exists(dir / "t.txt"));
  const fs::path taken = dir / "map.txt";
  fs::create_directory(taken);
  EXPECT_EQ(conversion.Save(taken, yes).Text(),
            PathText(taken) + "\rKan niet gemaakt worden...\rEr staat een map met die naam.");
}

// After a load that gave no report, or none at all, a save asks nothing, writes nothing and
// gives the load's own reason; the last file read counts, in a run too.
TEST(ConversionSave, RefusesWithTheReasonOfTheLastLoad) {
  TTempDir dir;
  const fs::path valid = WriteFile(dir / "goed.csv", Valid);
  const fs::path large = WriteFile(dir / "groot.csv", "");
  fs::resize_file(large, (std::uintmax_t{256} << 20) + 1);
  fs::create_directory(dir / "map.csv");
  const struct {
    fs::path input;
    bool run;
    // What the user is told; empty when the save is allowed.
    std::string told;
  } cases[] = {
      {fs::path(), false, "Er is geen rapport om te bewaren."},
      {WriteFile(dir / "leeg.csv", ""), false, "leeg.csv\r\rHet bestand is leeg."},
      {WriteFile(dir / "nul.csv", std::string(1, '\0') + Valid), false,
       "nul.csv\r\rHet bestand is geen tekstbestand: het begint met NUL-tekens of veel andere "
       "stuurtekens."},
      {dir / "weg.csv", false, "weg.csv\r\rKan niet geopend worden...\rHet bestand bestaat niet."},
      {large, false,
       "groot.csv\r\rKan niet geopend worden...\rHet bestand is te groot (257 MiB; de "
       "grens is 256 MiB)."},
      {dir / "map.csv", false,
       "map.csv\r\rKan niet geopend worden...\rHet is geen gewoon bestand maar een map of "
       "apparaat."},
      {WriteFile(dir / "ruim.csv", SparseRondesCsv(4000)), false,
       "ruim.csv\r\rHet rapport zou te groot worden (306 MiB; de grens is 256 MiB)."},
      {dir / "leeg.csv", true, "leeg.csv\r\rHet bestand is leeg."},
      {dir / "weg.csv", true, "weg.csv\r\rKan niet geopend worden...\rHet bestand bestaat niet."},
      {valid, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.native() + (c.run ? " in a run" : ""));
    TCoreUI ui;
    TConversion conversion(ui);
    if (!c.input.empty()) {
      ASSERT_TRUE(conversion.Open(valid).Done());
      if (c.run) {
        conversion.StartRun({c.input});
        conversion.ConvertFile(c.input, dir / "uit");
      } else {
        conversion.Open(c.input);
      }
    }
    bool asked = false;
    const TConvertResult result = conversion.Save(dir / "r.txt", [&] { return asked = true; });
    EXPECT_EQ(result.Done() ? "" : result.Text(), c.told);
    EXPECT_EQ(asked, c.told.empty());
    EXPECT_EQ(fs::exists(dir / "r.txt"), c.told.empty());
    fs::remove(dir / "r.txt");
  }
}

} // namespace

// A finding leads to the input table's row of its line, past the short lines the table leaves
// out; a row that names no line (the header, a finding of the whole file, the file's summary,
// a row beyond the list) leads nowhere.
TEST(ConversionFindingRow, GivesTheInputRowOfTheFindingsLine) {
  TCoreUI ui;
  TConversion conversion(ui);
  conversion.OpenBytes("kort.csv", "012;Naam van toernooi\r\n\r\nab\r\n"
                                   "900;1;14-11-2009;1;2;1;Ab;Ef, Gh;01-01-2000;01-01-2000\r\n");
  const TCellTable& errors = conversion.ErrorGrid;
  std::vector<std::string> shown;
  for (int r = 0; r <= errors.RowCount(); ++r) {
    const std::optional<int> row = conversion.FindingRow(r);
    shown.push_back(
        std::string(errors.GetCell(1, r)) + " " + std::string(errors.GetCell(2, r)) + " -> " +
        (row ? std::to_string(*row) + " " + std::string(conversion.InputGrid.GetCell(1, *row))
             : "none"));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "Regel Opmerking -> none",
                       "3 Recordcode \"ab\" is geen getal: de regel is niet gelezen -> none",
                       " 022 Naam Toernooiplaats ontbreekt. -> none",
                       " 032 Federatie naam ontbreekt (NED) -> none",
                       " 042 Startdatum ontbreekt. -> none",
                       " 052 Einddatum ontbreekt. -> none",
                       " 102 Inzender ontbreekt -> none",
                       " 122 Speeltempo ontbreekt. -> none",
                       "4 Naam heeft minder dan 3 karakters -> 1 900",
                       " kort.csv -> none",
                       "  -> none",
                       "  -> none",
                   }));
}

// The jump follows the finding's own line, past line 10 000 and whatever the table's cell says;
// the summary row is known by the list, not by its place in the table.
TEST(ConversionFindingRow, FollowsTheFindingsLinePastLine10000) {
  std::string text = Valid;
  for (int regel = 3; regel < 10500; ++regel) text += "999;opvulling\r\n";
  text += "\r\n900;1;14-11-2009;0;2;1;Ab, Cd;Ef, Gh;;\r\n";
  for (int regel = 10502; regel < 12000; ++regel) text += "999;opvulling\r\n";
  text += "900;2;14-11-2009;1;2;9;Ab, Cd;Ef, Gh;;\r\n";
  TCoreUI ui;
  TConversion conversion(ui);
  conversion.OpenBytes("lang.csv", text);
  TCellTable& errors = conversion.ErrorGrid;
  std::vector<std::string> shown;
  for (int r = 1; r < errors.RowCount(); ++r) {
    const std::optional<int> row = conversion.FindingRow(r);
    // A cell changed in the table does not move the jump.
    const std::string regel(errors.GetCell(1, r));
    errors.SetCell(1, r, "3");
    EXPECT_EQ(conversion.FindingRow(r), row) << r;
    shown.push_back(
        regel + " " + std::string(errors.GetCell(2, r)) + " -> " +
        (row ? std::to_string(*row) + " " + std::string(conversion.InputGrid.GetCell(0, *row))
             : "none"));
  }
  // Line 10 500 is empty and has no row; the input table numbers its rows.
  EXPECT_EQ(shown,
            (std::vector<std::string>{
                "10501 Speler Idnr ontbreekt. -> 10499 10500",
                "10501 Zwartspeler heeft in deze ronde reeds gespeeld (Regel 2) -> 10499 10500",
                "12000 Niet legale uitslag. -> 11998 11999",
                " 022 Naam Toernooiplaats ontbreekt. -> none",
                " 032 Federatie naam ontbreekt (NED) -> none",
                " 042 Startdatum ontbreekt. -> none",
                " 052 Einddatum ontbreekt. -> none",
                " 102 Inzender ontbreekt -> none",
                " 122 Speeltempo ontbreekt. -> none",
                " lang.csv -> none",
                "  -> none",
            }));
  EXPECT_EQ(conversion.SummaryRow("lang.csv"), 10);
  EXPECT_EQ(conversion.SummaryRow("ander.csv"), std::nullopt);
  ASSERT_NE(conversion.SummaryFile(10), nullptr);
  EXPECT_EQ(*conversion.SummaryFile(10), "lang.csv");
  EXPECT_EQ(conversion.SummaryFile(9), nullptr);
}

// A run builds no input table while it reads its files; at its end the table of its last file is
// drawn from that file's lines, cell for cell and width for width as a load that writes it.
TEST(ConversionRun, DrawsTheInputTableOfTheLastFileOnceAtTheEnd) {
  const TTempDir dir;
  const fs::path first = WriteFile(dir / "eerste.csv", Valid);
  const fs::path last = WriteFile(
      dir / "laatste.csv", "012;\"Naam; van toernooi\"\r\nab\r\n022;Zwolle\r\n"
                           "900;1;14-11-2009;1;2;1;Ab, Cd;Ef, Gh;01-01-2000;;\r\n"
                           "900;2;14-11-2009;;2;9;Een heel lange naam van een speler;Ef, Gh\r\n");
  TCoreUI ui;
  TConversion run(ui);
  run.StartRun({first, last});
  run.ConvertFile(first, dir.Path());
  run.ConvertFile(last, dir.Path());
  EXPECT_EQ(run.InputGrid.RowCount(), 1);
  run.FinishRun();

  TCellTable loaded(5, 5, 1, 0);
  TCellTable errors;
  TFouten fouten(errors);
  fouten.Clear();
  TToernooi toernooi(fouten, ui);
  toernooi.LoadFile(last, loaded, true);

  EXPECT_EQ(run.InputGrid.ClipboardText(), loaded.ClipboardText());
  ASSERT_EQ(run.InputGrid.ColCount(), loaded.ColCount());
  EXPECT_EQ(run.InputGrid.RowCount(), 4);
  for (int col = 0; col < loaded.ColCount(); ++col)
    EXPECT_EQ(run.InputGrid.ColWidths(col), loaded.ColWidths(col)) << col;
}
