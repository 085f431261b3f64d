#include "core/Conversion.h"

#include "core/Cp1252.h"
#include "support/FakeCoreUI.h"
#include "support/HeldFile.h"
#include "support/SparseRondes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
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
// each file ends in, what the user is told, and which reports are written.
TEST(ConversionRun, DecidesEveryFileAndTellsWhy) {
  TTempDir in;
  TTempDir out;
  const fs::path o = out.Path();
  const fs::path held = WriteFile(o / "bezet.txt", "oud\r\n");
  const THeldFile lock(held);
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
      {WriteFile(in / "ruim.csv", SparseRondesCsv(4000)), TConvertOutcome::ReportTooLarge,
       "ruim.csv\r\rHet rapport zou te groot worden (306 MiB; de grens is 256 MiB)."},
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

  TFakeCoreUI ui;
  TConversion conversion(ui);
  conversion.StartRun(inputs);
  std::vector<std::string> told;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.native());
    const TConvertResult result = conversion.ConvertFile(c.input, o);
    EXPECT_EQ(result.Outcome, c.want);
    EXPECT_EQ(result.Told() ? result.Text() : "", c.told);
    if (!c.told.empty()) told.push_back(c.told);
  }
  EXPECT_EQ(ui.Messages, told);

  std::vector<std::string> written;
  for (const auto& entry : fs::directory_iterator(o))
    written.push_back(entry.path().filename().string());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{"a.txt", "bezet.txt", "x.txt"}));
  std::ifstream kept(held, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "oud\r\n");
  std::ifstream input(o / "x.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(input), {}), Valid);
}

// The page's run keeps its reports itself: a report name counts once per run.
TEST(ConversionRun, CountsReportNamesOfBytesOncePerRun) {
  TFakeCoreUI ui;
  TConversion conversion(ui);
  conversion.StartRun({});
  EXPECT_TRUE(conversion.ConvertBytes("b.csv", Valid).Done());
  EXPECT_EQ(conversion.ReportName(), "b.txt");
  EXPECT_EQ(conversion.ConvertBytes("b.CSV", Valid).Outcome, TConvertOutcome::AlreadyWritten);
  EXPECT_EQ(ui.Messages, std::vector<std::string>{"b.CSV\r\rHet rapport b.txt\ris in deze "
                                                  "opdracht al gemaakt voor b.csv.\rGeen "
                                                  "bestand gemaakt."});
  conversion.StartRun({});
  EXPECT_TRUE(conversion.ConvertBytes("b.CSV", Valid).Done());
}

// A save asks only for a target it may write, and writes only what the user confirmed.
TEST(ConversionSave, RefusesTheInputAndAHeldTargetAndAsksForTheRest) {
  TTempDir dir;
  const fs::path input = WriteFile(dir / "t.csv", Valid);
  TFakeCoreUI ui;
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
  EXPECT_EQ(ui.Messages.size(), 2u);
}

} // namespace
