#include "support/HeldFile.h"
#include "support/SameBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Runs the converter in `folder` with only the given environment.
TRun Convert(const std::vector<std::string>& args, const fs::path& folder,
             const std::vector<std::string>& env = {"LC_ALL=C"}) {
  const TTempDir capture;
  const std::string outPath = capture / "stdout";
  const std::string errPath = capture / "stderr";
  std::vector<std::string> argStrings = {MORVELANDER_CONVERT};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings = env;
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::chdir(folder.c_str()) != 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0) {
      ::_exit(126);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  TRun run;
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    run.Status = WEXITSTATUS(status);
  }
  run.Out = ReadFileBytes(outPath);
  run.Err = ReadFileBytes(errPath);
  return run;
}

fs::path Data(const std::string& name) {
  return fs::path(MORVELANDER_CLI_DATA) / name;
}
std::string Expected(const std::string& name) {
  return ReadFileBytes(Data(name));
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Usage() {
  return Convert({"--help"}, fs::temp_directory_path()).Out;
}

class ConvertCommandTest : public ::testing::Test {
protected:
  // The converter's current folder; reports go here unless --out says otherwise.
  TTempDir work;
  TTempDir out;
  const fs::path workPath = fs::canonical(work.Path());
  const fs::path outPath = fs::canonical(out.Path());
};

TEST_F(ConvertCommandTest, ListsEveryFindingOfOneFileAndWritesItsReportHere) {
  const TRun run = Convert({Data("Findings.csv")}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_TRUE(SameBytes(run.Out, Expected("Findings.errors.txt")));
  EXPECT_EQ(FolderEntries(work.Path()), std::vector<std::string>{"Findings.txt"});
  EXPECT_TRUE(SameBytes(ReadFileBytes(work / "Findings.txt"), Expected("Findings.expected.txt")));
}

TEST_F(ConvertCommandTest, WritesTheGoldenSampleReport) {
  const fs::path data = MORVELANDER_TEST_DATA;
  const TRun run = Convert({"--print", "none", data / "Voorbeeld.csv"}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_TRUE(SameBytes(ReadFileBytes(work / "Voorbeeld.txt"),
                        ReadFileBytes(data / "Voorbeeld.expected.txt")));
}

TEST_F(ConvertCommandTest, PrintsTheChosenTextOfTheLastFile) {
  struct {
    const char* print;
    std::string want;
  } cases[] = {
      {"errors", Expected("Findings.errors.txt")},
      {"input", Expected("Findings.input.txt")},
      {"table", Expected("Findings.table.txt")},
      {"report", Expected("Findings.expected.txt")},
      {"status", "9 fout\n"},
      {"none", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.print);
    const TRun run =
        Convert({"--print", c.print, "--out", outPath, Data("Findings.csv")}, work.Path());
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_TRUE(SameBytes(run.Out, c.want));
  }
}

TEST_F(ConvertCommandTest, BatchListsOneSummaryRowPerFileAndWritesEveryReport) {
  const TRun run =
      Convert({"--batch", "--out", outPath, Data("Findings.csv"), Data("Schoon.csv")}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_TRUE(SameBytes(run.Out, Expected("Batch.errors.txt")));
  EXPECT_EQ(FolderEntries(outPath), (std::vector<std::string>{"Findings.txt", "Schoon.txt"}));
  EXPECT_TRUE(SameBytes(ReadFileBytes(out / "Findings.txt"), Expected("Findings.expected.txt")));
  EXPECT_TRUE(SameBytes(ReadFileBytes(out / "Schoon.txt"), Expected("Schoon.expected.txt")));
  EXPECT_TRUE(FolderEntries(work.Path()).empty());
}

// One line of a million fields widens every row of the input table, and each header record's
// text spans its row: printed, the table would be more than a hundred times the file.
TEST_F(ConvertCommandTest, RefusesToPrintATableLargerThanAReportMayBe) {
  std::string wide = "900";
  for (int i = 0; i < 1000000; ++i) wide += ";x";
  std::string bytes = wide + "\r\n";
  for (int i = 0; i < 20; ++i) bytes += "012;Naam van toernooi\r\n";
  std::ofstream(work / "Breed.csv", std::ios::binary) << bytes;
  const TRun run = Convert({"--print", "input", "Breed.csv"}, work.Path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, "morvelander-convert: the table to print would be larger than 256 MiB; "
                     "nothing printed\n");
  EXPECT_TRUE(fs::exists(work / "Breed.txt"));
}

// Rejected game records still open rounds, and every line of the report is as wide as all
// rounds: the rulers and the round dates count as the player lines do.
TEST_F(ConvertCommandTest, RefusesAReportLargerThanTheLimitWithRejectedRounds) {
  std::string bytes = "012;Ruim toernooi\r\n";
  for (int g = 1; g <= 1000; ++g)
    bytes += "900;1;14-11-2009;" + std::to_string(2 * g - 1) + ";" + std::to_string(2 * g) +
             ";1;Wit, Speler;Zwart, Speler;;\r\n";
  for (int r = 2; r <= 14000; ++r) bytes += "900;" + std::to_string(r) + "\r\n";
  std::ofstream(work / "Ruim.csv", std::ios::binary) << bytes;
  for (const char* print : {"report", "errors"}) {
    SCOPED_TRACE(print);
    const TRun run = Convert({"--print", print, "Ruim.csv"}, work.Path());
    EXPECT_EQ(run.Status, 1);
    if (std::string(print) == "report") {
      EXPECT_EQ(run.Out, "");
    }
    EXPECT_EQ(run.Err, "morvelander-convert: Ruim.csv: Het rapport zou te groot worden (268 MiB; "
                       "de grens is 256 MiB).\n");
    EXPECT_EQ(FolderEntries(work.Path()), std::vector<std::string>{"Ruim.csv"});
  }
}

TEST_F(ConvertCommandTest, UnreadableFileFailsAndTheOthersAreStillConverted) {
  std::ofstream(work / "Leeg.csv").close();
  std::ofstream(work / "Nul.csv", std::ios::binary) << std::string(1, '\0') << "012;Naam\r\n";
  fs::create_directory(work / "adir.csv");
  ASSERT_EQ(::mkfifo((work / "Pijp.csv").c_str(), 0600), 0);
  fs::copy_file(Data("Schoon.csv"), work / "Bezet.csv");
  const THeldFile held(work / "Bezet.csv");
  fs::copy_file(Data("Schoon.csv"), work / "Groot.csv");
  fs::resize_file(work / "Groot.csv", (std::uintmax_t{256} << 20) + 1);
  struct TCase {
    const char* file;
    const char* shown; // control characters escaped
    const char* reason;
  };
  const char* const notAFile =
      "Kan niet geopend worden... Het is geen gewoon bestand maar een map of apparaat.";
  std::vector<TCase> cases = {
      {"Ontbreekt.csv", "Ontbreekt.csv", "Kan niet geopend worden... Het bestand bestaat niet."},
      {"Leeg.csv", "Leeg.csv", "Het bestand is leeg."},
      {"Nul.csv", "Nul.csv",
       "Het bestand is geen tekstbestand: het begint met NUL-tekens of veel andere stuurtekens."},
      {"adir.csv", "adir.csv", notAFile},
      {"Pijp.csv", "Pijp.csv", notAFile},
      {"/dev/zero", "/dev/zero", notAFile},
      {"Groot.csv", "Groot.csv",
       "Kan niet geopend worden... Het bestand is te groot (257 MiB; de grens is 256 MiB)."},
      {"\x1b[2JWeg\n.csv", "\\x1B[2JWeg\\x0A.csv",
       "Kan niet geopend worden... Het bestand bestaat niet."},
      {"Bezet.csv", "Bezet.csv",
       "Kan niet geopend worden... Wordt reeds gebruikt door een ander programma."},
  };
  // The WebAssembly converter under node cannot see another program's lock.
  if (!MORVELANDER_CONVERT_SEES_LOCKS) cases.pop_back();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.shown);
    fs::remove(out / "Schoon.txt");
    const TRun run = Convert({"--out", outPath, c.file, Data("Schoon.csv")}, work.Path());
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, std::string("morvelander-convert: ") + c.shown + ": " + c.reason + "\n");
    EXPECT_TRUE(SameBytes(run.Out, Expected("MissingFirst.errors.txt")));
    EXPECT_EQ(FolderEntries(outPath), std::vector<std::string>{"Schoon.txt"});
  }
}

// No report takes the place of an input of the run, or of a report written earlier in it;
// the file refused is left as it was and the others are converted.
TEST_F(ConvertCommandTest, NoReportReplacesAnInputOrAnEarlierReportOfTheRun) {
  const std::string schoon = ReadFileBytes(Data("Schoon.csv"));
  const std::string findings = ReadFileBytes(Data("Findings.csv"));
  const std::string target = (workPath / "x.txt").native();
  struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files; // name, bytes
    std::vector<std::string> args;
    std::string err;
    std::string report; // x.txt afterwards
  } cases[] = {
      {"report over its own input",
       {{"x.txt", schoon}},
       {"x.txt"},
       "morvelander-convert: x.txt: Het rapport " + target +
           " zou het invoerbestand vervangen. Geen bestand gemaakt.\n",
       schoon},
      {"report over a later input",
       {{"x.csv", findings}, {"x.txt", schoon}},
       {"x.csv", "x.txt"},
       "morvelander-convert: x.csv: Het rapport " + target +
           " zou het invoerbestand x.txt van deze opdracht vervangen. Geen bestand gemaakt.\n"
           "morvelander-convert: x.txt: Het rapport " +
           target + " zou het invoerbestand vervangen. Geen bestand gemaakt.\n",
       schoon},
      {"two inputs with one report name",
       {{"x.csv", schoon}, {"x.CSV", findings}},
       {"x.csv", "x.CSV"},
       "morvelander-convert: x.CSV: Het rapport " + target +
           " is in deze opdracht al gemaakt voor x.csv. Geen bestand gemaakt.\n",
       Expected("Schoon.expected.txt")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& entry : fs::directory_iterator(work.Path())) fs::remove(entry.path());
    for (const auto& [name, bytes] : c.files) std::ofstream(work / name, std::ios::binary) << bytes;
    std::vector<std::string> args = c.args;
    args.push_back(Data("Schoon.csv"));
    const TRun run = Convert(args, work.Path());
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, c.err);
    EXPECT_TRUE(SameBytes(ReadFileBytes(work / "x.txt"), c.report));
    EXPECT_TRUE(SameBytes(ReadFileBytes(work / "Schoon.txt"), Expected("Schoon.expected.txt")));
  }
}

TEST_F(ConvertCommandTest, ReadOnlyTargetIsLeftAloneAndTheLastWrittenReportIsPrinted) {
  std::ofstream(out / "Schoon.txt") << "oud";
  ASSERT_EQ(::chmod((out / "Schoon.txt").c_str(), 0444), 0);
  const TRun run =
      Convert({"--print", "report", "--out", outPath, Data("Findings.csv"), Data("Schoon.csv")},
              work.Path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "morvelander-convert: " + (outPath / "Schoon.txt").native() +
                         ": Geen toegang: het bestand mag niet overschreven worden. Geen "
                         "bestand gemaakt.\n");
  EXPECT_EQ(ReadFileBytes(out / "Schoon.txt"), "oud");
  EXPECT_TRUE(SameBytes(run.Out, Expected("Findings.expected.txt")));
}

// No later report could be written either: the run ends at the first.
TEST_F(ConvertCommandTest, MissingOutFolderFailsWithTheReportsFullPath) {
  const TRun run =
      Convert({"--out", "ontbreekt", Data("Schoon.csv"), Data("Findings.csv")}, work.Path());
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "morvelander-convert: " + (workPath / "ontbreekt" / "Schoon.txt").native() +
                         ": Kan niet gemaakt worden... De map bestaat niet.\n");
  EXPECT_TRUE(FolderEntries(work.Path()).empty());
}

TEST_F(ConvertCommandTest, DecimalSeparatorComesFromTheOptionOrTheLocale) {
  struct {
    const char* name;
    std::vector<std::string> options;
    const char* expected;
  } cases[] = {
      {"C locale", {}, "Schoon.expected.txt"},
      {"option", {"--decimal-separator", ","}, "Schoon.comma.txt"},
      {"option with =", {"--decimal-separator=,"}, "Schoon.comma.txt"},
      {"full stop option", {"--decimal-separator", "."}, "Schoon.expected.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"--print", "report", "--out", outPath, Data("Schoon.csv")});
    const TRun run = Convert(args, work.Path());
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(SameBytes(run.Out, Expected(c.expected)));
    EXPECT_TRUE(SameBytes(ReadFileBytes(out / "Schoon.txt"), Expected(c.expected)));
  }
}

// The environment of a locale with a decimal comma: an installed one, or one compiled into
// `folder`; empty when neither is possible.
std::vector<std::string> CommaLocaleEnv(const fs::path& folder) {
  for (const char* name : {"nl_NL.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "nl_NL", "de_DE"}) {
    const locale_t loc = ::newlocale(LC_NUMERIC_MASK, name, nullptr);
    if (loc == nullptr) continue;
    ::freelocale(loc);
    return {std::string("LC_ALL=") + name};
  }
  const fs::path compiled = folder / "nl_NL.UTF-8";
  const std::string command =
      "localedef -i nl_NL -f UTF-8 '" + compiled.native() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) == -1 || !fs::exists(compiled / "LC_NUMERIC")) return {};
  return {"LOCPATH=" + folder.native(), "LC_ALL=nl_NL.UTF-8"};
}

TEST_F(ConvertCommandTest, CommaLocaleGivesDecimalCommas) {
  const TTempDir locales;
  const std::vector<std::string> env = CommaLocaleEnv(locales.Path());
  if (env.empty()) GTEST_SKIP() << "no locale with a decimal comma is available";
  const TRun run =
      Convert({"--print", "report", "--out", outPath, Data("Schoon.csv")}, work.Path(), env);
  EXPECT_EQ(run.Status, 0);
  EXPECT_TRUE(SameBytes(run.Out, Expected("Schoon.comma.txt")));
  const TRun option = Convert(
      {"--decimal-separator", ".", "--print", "report", "--out", outPath, Data("Schoon.csv")},
      work.Path(), env);
  EXPECT_TRUE(SameBytes(option.Out, Expected("Schoon.expected.txt")));
}

TEST_F(ConvertCommandTest, UsageErrorsExitWithTwoAndConvertNothing) {
  const std::string usage = Usage();
  struct {
    const char* name;
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {"no FILE", {}, "no FILE given"},
      {"only options", {"--batch", "--print", "none"}, "no FILE given"},
      {"unknown option", {"--snel", "Schoon.csv"}, "unknown option --snel"},
      {"value for a flag", {"--batch=ja", "Schoon.csv"}, "unknown option --batch=ja"},
      {"missing --out value", {"Schoon.csv", "--out"}, "option --out needs a value"},
      {"missing --print value", {"Schoon.csv", "--print"}, "option --print needs a value"},
      {"unknown --print value",
       {"--print", "alles", "Schoon.csv"},
       "unknown --print value 'alles'"},
      {"long separator",
       {"--decimal-separator", ",,", "Schoon.csv"},
       "--decimal-separator takes \",\" or \".\""},
      {"empty separator",
       {"--decimal-separator=", "Schoon.csv"},
       "--decimal-separator takes \",\" or \".\""},
      {"digit separator",
       {"--decimal-separator", "5", "Schoon.csv"},
       "--decimal-separator takes \",\" or \".\""},
      {"newline separator",
       {"--decimal-separator", "\n", "Schoon.csv"},
       "--decimal-separator takes \",\" or \".\""},
  };
  fs::copy_file(Data("Schoon.csv"), work / "Schoon.csv");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TRun run = Convert(c.args, work.Path());
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, std::string("morvelander-convert: ") + c.message + "\n" + usage);
    EXPECT_EQ(FolderEntries(work.Path()), std::vector<std::string>{"Schoon.csv"});
  }
}

TEST_F(ConvertCommandTest, HelpPrintsTheUsageAndConvertsNothing) {
  fs::copy_file(Data("Schoon.csv"), work / "Schoon.csv");
  const TRun run = Convert({"Schoon.csv", "--help"}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out.rfind("Usage: morvelander-convert [OPTION]... FILE...\n", 0), 0u);
  EXPECT_EQ(FolderEntries(work.Path()), std::vector<std::string>{"Schoon.csv"});
}

TEST_F(ConvertCommandTest, VersionPrintsVersionAndDateAndConvertsNothing) {
  fs::copy_file(Data("Schoon.csv"), work / "Schoon.csv");
  const TRun run = Convert({"--version", "Schoon.csv"}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out.substr(0, run.Out.find('\n')), "morvelander-convert 0.1 (2009-11-08)");
  EXPECT_EQ(FolderEntries(work.Path()), std::vector<std::string>{"Schoon.csv"});
}

TEST_F(ConvertCommandTest, DoubleDashEndsTheOptions) {
  fs::copy_file(Data("Schoon.csv"), work / "--batch");
  const TRun run = Convert({"--print", "status", "--", "--batch"}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "1 fout\n");
  EXPECT_EQ(FolderEntries(work.Path()), (std::vector<std::string>{"--batch", "--batch.txt"}));
}

// A name is bytes: one that is not UTF-8 is read, and its report written, all the same.
TEST_F(ConvertCommandTest, ConvertsAFileWhoseNameIsNotUtf8) {
  const std::string name = "Caf\xe9.csv";
  fs::copy_file(Data("Schoon.csv"), work / name);
  const TRun run = Convert({"--print", "report", name}, work.Path());
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(FolderEntries(work.Path()), (std::vector<std::string>{name, "Caf\xe9.txt"}));
  EXPECT_TRUE(SameBytes(ReadFileBytes(work / "Caf\xe9.txt"), run.Out));
}

// Two converters writing one new report at once: each run leaves the complete report with the
// mode of a new file, and neither removes the other's temporary file.
TEST_F(ConvertCommandTest, TwoConvertersWritingOneReportLeaveItCompleteWithItsMode) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const std::vector<std::string> args = {"--print", "none", "--out", outPath, Data("Schoon.csv")};
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE(round);
    fs::remove(out / "Schoon.txt");
    auto first = std::async(std::launch::async, [&] { return Convert(args, work.Path()); });
    const TRun second = Convert(args, work.Path());
    const TRun other = first.get();
    EXPECT_EQ(other.Status, 0);
    EXPECT_EQ(second.Status, 0);
    EXPECT_EQ(second.Err + other.Err, "");
    EXPECT_EQ(FolderEntries(out.Path()), std::vector<std::string>{"Schoon.txt"});
    EXPECT_TRUE(SameBytes(ReadFileBytes(out / "Schoon.txt"), Expected("Schoon.expected.txt")));
    struct stat st {};
    ASSERT_EQ(::stat((out / "Schoon.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
  }
}

} // namespace
