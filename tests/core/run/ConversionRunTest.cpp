#include "core/run/ConversionRun.h"

#include "core/tournament/CoreUI.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class TStoppingUI : public TCoreUI {
public:
  bool StopRequested() override { return Stop; }
  bool Stop = false;
};

// Stops the run between files, or a load, after the file it is told; keeps the reports by
// name as the page's zip does, and refuses one with the reason it is told.
class TRecorder : public TRunListener, public TReportStore {
public:
  void FileEnded(const TConvertResult& result, std::size_t ended, std::size_t total) override {
    Ended.push_back(result.Input.string() + " " + std::to_string(ended) + "/" +
                    std::to_string(total) + " " +
                    (result.Load.Outcome == TLoadOutcome::Stopped ? "gestopt" : result.Reason()));
    UI.Stop = ended == StopLoadAfter;
  }
  bool StopRequested() override { return Ended.size() == StopRunAfter; }
  fs::path Target(const fs::path& reportName) const override { return "map" / reportName; }
  std::error_code Store(const fs::path& target, const std::vector<std::string>&) override {
    if (target == Refused) return std::make_error_code(Refusal);
    Kept.insert(target.string());
    return {};
  }

  TStoppingUI UI;
  fs::path Refused = "map/c.txt";
  std::errc Refusal = std::errc::read_only_file_system;
  std::size_t StopRunAfter = 0;
  std::size_t StopLoadAfter = 0;
  std::vector<std::string> Ended;
  std::set<std::string> Kept;
};

TEST(ConversionRun, HandsOnEachFileInOrderUntilTheUserStops) {
  const std::string valid = "012;Naam\r\n900;1;14-11-2009;1;2;1;Ab, Cd;Ef, Gh;;\r\n";
  const struct {
    const char* name;
    std::size_t stopRunAfter;
    std::size_t stopLoadAfter;
    std::vector<std::string> ended;
    std::set<std::string> kept;
  } cases[] = {
      {"to the end",
       9,
       0,
       {"a.csv 1/3 ", "b.csv 2/3 ",
        "c.csv 3/3 Kan niet gemaakt worden...\rDe schijf is alleen te lezen."},
       {"map/a.txt", "map/b.txt"}},
      {"between files", 1, 0, {"a.csv 1/3 "}, {"map/a.txt"}},
      {"inside a load", 9, 1, {"a.csv 1/3 ", "b.csv 2/3 gestopt"}, {"map/a.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TRecorder recorder;
    recorder.StopRunAfter = c.stopRunAfter;
    recorder.StopLoadAfter = c.stopLoadAfter;
    TConversion conversion(recorder.UI);
    std::vector<TRunSource> sources;
    for (const char* name : {"a.csv", "b.csv", "c.csv"})
      sources.push_back(TRunSource::Bytes(name, valid));
    const TRunSummary summary =
        TConversionRun(conversion, recorder).Run(std::move(sources), recorder);
    EXPECT_EQ(recorder.Ended, c.ended);
    EXPECT_EQ(recorder.Kept, c.kept);
    EXPECT_EQ(summary.Made, c.kept.size());
    EXPECT_EQ(summary.Stopped(), c.ended.size() < 3);
  }
}

// A report that cannot be written costs its file the report; a folder gone or a disk full would
// cost every later file its report too, and ends the run there.
TEST(ConversionRun, EndsAtAReportThatNoLaterReportCouldEscape) {
  const std::string valid = "012;Naam\r\n900;1;14-11-2009;1;2;1;Ab, Cd;Ef, Gh;;\r\n";
  const struct {
    const char* name;
    std::errc refusal;
    std::size_t ended;
    const char* end;
  } cases[] = {
      {"read-only disk", std::errc::read_only_file_system, 3,
       "2 rapporten in zip; 1 bestand geweigerd"},
      {"no leave", std::errc::permission_denied, 3, "2 rapporten in zip; 1 bestand geweigerd"},
      {"folder gone", std::errc::no_such_file_or_directory, 2, "Gestopt na 2 van 3 bestanden"},
      {"disk full", std::errc::no_space_on_device, 2, "Gestopt na 2 van 3 bestanden"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TRecorder recorder;
    recorder.StopRunAfter = 9;
    recorder.Refused = "map/b.txt";
    recorder.Refusal = c.refusal;
    TConversion conversion(recorder.UI);
    std::vector<TRunSource> sources;
    for (const char* name : {"a.csv", "b.csv", "c.csv"})
      sources.push_back(TRunSource::Bytes(name, valid));
    const TRunSummary summary =
        TConversionRun(conversion, recorder).Run(std::move(sources), recorder);
    EXPECT_EQ(recorder.Ended.size(), c.ended);
    EXPECT_EQ(summary.Ended, c.ended);
    EXPECT_EQ(summary.Ending.has_value(), c.ended < 3);
    EXPECT_EQ(summary.Ending ? summary.Ending->Target : fs::path(), c.ended < 3 ? "map/b.txt" : "");
    EXPECT_EQ(summary.EndText("zip"), c.end);
  }
}

} // namespace
