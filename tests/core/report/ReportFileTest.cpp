#include "core/report/ReportFile.h"
#include "support/HeldFile.h"
#include "support/SameBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

mode_t FileMode(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

TEST(ReportFileName, ReplacesEverythingFromTheLastFullStop) {
  struct {
    const char* input;
    const char* want;
  } cases[] = {
      {"Open 2009.csv", "Open 2009.txt"},
      {"RAPID.CSV", "RAPID.txt"},
      {"a.b.csv", "a.b.txt"},
      {"naam", "naam.txt"},
      {"naam.", "naam.txt"},
      {".csv", ".txt"},
      {"map.x/naam", "map.x/naam.txt"},
      {"map/toernooi.csv", "map/toernooi.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(ReportFileName(c.input), fs::path(c.want));
  }
}

TEST(WriteReportFile, EndsEveryLineWithCrLfAndAddsNothing) {
  struct {
    const char* name;
    std::vector<std::string> lines;
    std::string want;
  } cases[] = {
      {"no lines", {}, ""},
      {"one empty line", {""}, "\r\n"},
      {"report lines",
       {"012 Toernooi", "", "001 \xC9\xE9n", "--- Morvelander v0.1 (2009-11-08)"},
       "012 Toernooi\r\n\r\n001 \xC9\xE9n\r\n--- Morvelander v0.1 (2009-11-08)\r\n"},
  };
  const TTempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteReportFile(dir / "r.txt", c.lines);
    EXPECT_TRUE(SameBytes(ReadFileBytes(dir / "r.txt"), c.want));
  }
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"r.txt"});
}

TEST(WriteReportFile, ReplacesALongerReportCompletely) {
  const TTempDir dir;
  WriteBytes(dir / "r.txt", std::string(5000, 'x'));
  WriteReportFile(dir / "r.txt", {"kort"});
  EXPECT_TRUE(SameBytes(ReadFileBytes(dir / "r.txt"), "kort\r\n"));
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"r.txt"});
}

// A report keeps the plain permissions of the regular file it replaces; a link or a device
// lends it nothing, and no report is ever set-user-ID, set-group-ID or sticky.
TEST(WriteReportFile, TakesItsModeOnlyFromTheRegularFileItReplaces) {
  const TTempDir dir;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const mode_t usual = 0666 & ~mask;
  WriteBytes(dir / "doel", "doel");
  ASSERT_EQ(::chmod((dir / "doel").c_str(), 04755), 0);
  const struct {
    const char* name;
    mode_t old; // 0: no regular file there
    const char* linkTo;
    mode_t want;
  } cases[] = {
      {"nieuw.txt", 0, nullptr, usual},           {"oud.txt", 0640, nullptr, 0640},
      {"setuid.txt", 04755, nullptr, 0755},       {"setgid-sticky.txt", 03775, nullptr, 0775},
      {"link-naar-setuid.txt", 0, "doel", usual}, {"link-naar-apparaat.txt", 0, "/dev/zero", usual},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path target = dir / c.name;
    if (c.old != 0) {
      WriteBytes(target, "oud");
      ASSERT_EQ(::chmod(target.c_str(), c.old), 0);
    }
    if (c.linkTo) fs::create_symlink(c.linkTo, target);
    WriteReportFile(target, {"a"});
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(FileMode(target), c.want);
  }
  EXPECT_EQ(FileMode(dir / "doel"), 04755u);
  EXPECT_EQ(ReadFileBytes(dir / "doel"), "doel");
}

// A killed run leaves its temporary file; the next write of the same report removes it, but
// not the files of other reports or other names, nor that of a writer still at work.
TEST(WriteReportFile, RemovesTheLeftoverTemporaryFileOfTheSameReport) {
  for (const bool busy : {false, true}) {
    SCOPED_TRACE(busy ? "held by a writer" : "left over");
    const TTempDir dir;
    for (const char* name : {".r.txt.~part", ".s.txt.~part", "r.txt.~part", ".r.txt.a1B2c3"})
      WriteBytes(dir / name, "half");
    std::optional<THeldFile> writer;
    if (busy) writer.emplace(dir / ".r.txt.~part");
    WriteReportFile(dir / "r.txt", {"a"});
    EXPECT_TRUE(SameBytes(ReadFileBytes(dir / "r.txt"), "a\r\n"));
    std::vector<std::string> want = {".r.txt.a1B2c3", ".s.txt.~part", "r.txt", "r.txt.~part"};
    if (busy) want.insert(want.begin() + 1, ".r.txt.~part");
    EXPECT_EQ(FolderEntries(dir.Path()), want);
  }
}

TEST(WriteReportFile, MissingFolderFailsAndLeavesNothing) {
  const TTempDir dir;
  const fs::path target = dir / "ontbreekt" / "r.txt";
  EXPECT_EQ(WriteReportFile(target, {"a"}), std::errc::no_such_file_or_directory);
  EXPECT_TRUE(FolderEntries(dir.Path()).empty());
}

TEST(WriteReportFile, FailedReplaceLeavesNoTemporaryFile) {
  const TTempDir dir;
  fs::create_directory(dir / "r.txt");
  WriteBytes(dir / "r.txt" / "binnen", "blijft");
  EXPECT_EQ(WriteReportFile(dir / "r.txt", {"a"}), std::errc::is_a_directory);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"r.txt"});
  EXPECT_EQ(ReadFileBytes(dir / "r.txt" / "binnen"), "blijft");
}

TEST(WriteReportFile, ReadOnlyFolderKeepsTheOldReport) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  const TTempDir dir;
  const fs::path folder = dir / "alleen-lezen";
  fs::create_directory(folder);
  WriteBytes(folder / "r.txt", "oud rapport\r\n");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

  const std::error_code failure = WriteReportFile(folder / "r.txt", {"nieuw"});
  fs::permissions(folder, fs::perms::owner_all);

  EXPECT_EQ(failure, std::errc::permission_denied);
  EXPECT_EQ(ReadFileBytes(folder / "r.txt"), "oud rapport\r\n");
  EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"r.txt"});
}

} // namespace
