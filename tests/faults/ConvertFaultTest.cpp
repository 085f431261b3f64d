// Runs the converter once for every file call it makes on its files, failing that call
// (FaultShim), and checks what the user keeps and is told.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct TRun {
  int Status = -1;
  std::string Err;
  // The counted calls, and the call that failed.
  long Calls = 0;
  std::string Failed;
};

// Runs the converter in `folder` under the shim, failing call `at` on the folder's files.
TRun Convert(const std::vector<std::string>& args, const fs::path& folder, long at) {
  const TTempDir capture;
  const std::string errPath = capture / "stderr";
  const std::string logPath = capture / "log";
  std::vector<std::string> argStrings = {MORVELANDER_CONVERT};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings = {
      "LC_ALL=C", std::string("LD_PRELOAD=") + MORVELANDER_FAULT_SHIM,
      "MORVELANDER_FAULT_DIR=" + folder.native(), "MORVELANDER_FAULT_AT=" + std::to_string(at),
      "MORVELANDER_FAULT_LOG=" + logPath,
      // A sanitizer build's runtime need not come first when the shim is loaded before it.
      "ASAN_OPTIONS=verify_asan_link_order=0"};
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int null = ::open("/dev/null", O_WRONLY);
    if (err < 0 || null < 0 || ::chdir(folder.c_str()) != 0 || ::dup2(null, 1) < 0 ||
        ::dup2(err, 2) < 0)
      ::_exit(126);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  TRun run;
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    run.Status = WEXITSTATUS(status);
  run.Err = ReadBytes(errPath);
  std::istringstream log(ReadBytes(logPath));
  log >> run.Calls;
  log.ignore();
  std::getline(log, run.Failed);
  return run;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

const std::string OldReport = "oud\r\n";

// Two inputs; the report of the first replaces an old one beside the temporary file a killed
// run left, the second is new.
struct TSetup {
  TTempDir Dir;
  fs::path In = Dir / "in";
  fs::path Out = Dir / "out";
  std::string Input = ReadBytes(fs::path(MORVELANDER_TEST_DATA) / "Voorbeeld.csv");

  explicit TSetup(const std::string& leftOver) {
    fs::create_directories(In);
    fs::create_directories(Out);
    WriteBytes(In / "A.csv", Input);
    WriteBytes(In / "B.csv", Input);
    WriteBytes(Out / "A.txt", OldReport);
    WriteBytes(Out / leftOver, "half");
  }
  std::vector<std::string> Args() const {
    return {"--batch", "--print", "none", "--out", Out, In / "A.csv", In / "B.csv"};
  }
};

TEST(ConvertUnderFaults, EveryFailedFileCallKeepsTheReportsWholeAndSaysWhy) {
  // Under node a writer's temporary file carries its process id; this one's process is gone.
  const std::string leftOver = MORVELANDER_NODE ? ".A.txt.~part.999999999" : ".A.txt.~part";
  const TSetup clean(leftOver);
  const TRun first = Convert(clean.Args(), clean.Dir.Path(), 0);
  ASSERT_EQ(first.Status, 0) << first.Err;
  ASSERT_GT(first.Calls, 10);
  const std::string report = ReadBytes(clean.Out / "A.txt");
  ASSERT_EQ(ReadBytes(clean.Out / "B.txt"), report);
  ASSERT_EQ(Names(clean.Out), (std::set<std::string>{"A.txt", "B.txt"}));

  int failed = 0;
  for (long at = 1; at <= first.Calls; ++at) {
    const TSetup setup(leftOver);
    const TRun run = Convert(setup.Args(), setup.Dir.Path(), at);
    SCOPED_TRACE("call " + std::to_string(at) + ": " + run.Failed + "\n" + run.Err);
    ASSERT_FALSE(run.Failed.empty());
    // Each report is its old self (none for B) or the whole new one, and at most one file
    // of the two went without its report, unless the disk was full, which ends the run.
    const std::string a = ReadBytes(setup.Out / "A.txt");
    const bool aNew = a == report;
    EXPECT_TRUE(aNew || a == OldReport);
    const bool bNew = fs::exists(setup.Out / "B.txt");
    if (bNew) {
      EXPECT_EQ(ReadBytes(setup.Out / "B.txt"), report);
    }
    EXPECT_TRUE(aNew || bNew || run.Err.find("De schijf is vol.") != std::string::npos);
    // No temporary file is added; the old leftover may stay when its removal failed.
    std::set<std::string> names = Names(setup.Out);
    names.erase(leftOver);
    names.erase("A.txt");
    names.erase("B.txt");
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(ReadBytes(setup.In / "A.csv"), setup.Input);
    EXPECT_EQ(ReadBytes(setup.In / "B.csv"), setup.Input);
    // A failure is told, in Dutch and naming its file, and the exit status says so.
    EXPECT_TRUE(run.Status == 0 || run.Status == 1);
    if (run.Status == 0) {
      EXPECT_EQ(run.Err, "");
      EXPECT_TRUE(aNew && bNew);
    } else {
      ++failed;
      std::istringstream lines(run.Err);
      std::string line;
      int told = 0;
      while (std::getline(lines, line)) {
        ++told;
        const bool named = line.find((setup.In / "A.csv").native()) != std::string::npos ||
                           line.find((setup.In / "B.csv").native()) != std::string::npos ||
                           line.find((setup.Out / "A.txt").native()) != std::string::npos ||
                           line.find((setup.Out / "B.txt").native()) != std::string::npos;
        EXPECT_TRUE(named) << line;
        EXPECT_TRUE(line.find("Kan niet ") != std::string::npos ||
                    line.find("Geen toegang") != std::string::npos)
            << line;
      }
      EXPECT_EQ(told, 1);
    }
  }
  std::cout << "Tried " << first.Calls << " injected faults, one a run (" << failed
            << " ended in a told failure).\n";
}

} // namespace
