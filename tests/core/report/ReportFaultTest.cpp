#include "core/report/ReportFile.h"
#include "support/SameBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> NewReport = {"012 Nieuw toernooi", "022 Utrecht", "", "--- einde"};
const std::string OldReportBytes = "012 Oud toernooi\r\n\r\n--- einde\r\n";

std::set<std::string> FolderNames(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// How the child process that wrote under a file-size limit ended.
enum TChildEnd { TooLarge = 10, OtherFailure = 11, Succeeded = 12 };

// Writes the report in a child process whose files may not grow beyond `limit` bytes, so the
// write fails part of the way through, as on a full disk.
int WriteUnderSizeLimit(const fs::path& target, const std::vector<std::string>& lines,
                        rlim_t limit) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit rl{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &rl);
    const std::error_code failure = WriteReportFile(target, lines);
    ::_exit(!failure ? Succeeded : failure == std::errc::file_too_large ? TooLarge : OtherFailure);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Bytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(WriteReportFile, KeepsTheOldReportWhenTheWriteFailsHalfWay) {
  // Far beyond the limit, so that the write stops in the middle of the report.
  const std::vector<std::string> big(2000, std::string(89, 'x'));
  constexpr rlim_t Limit = 16384;
  const struct {
    const char* Name;
    bool OldReport;
    const std::vector<std::string>& Lines;
    int Want;
  } cases[] = {
      {"replacing_a_report", true, big, TooLarge},
      {"new_report", false, big, TooLarge},
      // The same setup with room enough: the limit, not the setup, makes the others fail.
      {"small_report_within_the_limit", true, NewReport, Succeeded},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const fs::path target = dir / "Toernooi.txt";
    if (c.OldReport) WriteBytes(target, OldReportBytes);

    EXPECT_EQ(WriteUnderSizeLimit(target, c.Lines, Limit), c.Want);

    // Either the old report or the complete new one, and never a temporary file beside it.
    if (c.Want == Succeeded) {
      EXPECT_TRUE(SameBytes(ReadFileBytes(target), Bytes(c.Lines)));
    } else if (c.OldReport) {
      EXPECT_TRUE(SameBytes(ReadFileBytes(target), OldReportBytes));
    }
    EXPECT_EQ(FolderNames(dir.Path()), c.OldReport || c.Want == Succeeded
                                           ? std::set<std::string>{"Toernooi.txt"}
                                           : std::set<std::string>{});
  }
}

} // namespace
