#include "core/reading/FileInUse.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class IsFileInUseTest : public testing::Test {
protected:
  void SetUp() override { std::ofstream(file) << "report\r\n"; }

  const TTempDir temp;
  const fs::path dir = temp.Path();
  const fs::path file = dir / "report.txt";
};

TEST_F(IsFileInUseTest, IsFalseWithoutARegularFile) {
  for (const fs::path& path : {dir / "missing.txt", dir}) {
    EXPECT_FALSE(IsFileInUse(path));
    EXPECT_FALSE(IsFileLocked(path));
  }
}

TEST_F(IsFileInUseTest, IsFalseForAFreeFileAndLeavesItFree) {
  EXPECT_FALSE(IsFileInUse(file));
  EXPECT_FALSE(IsFileLocked(file));
  EXPECT_FALSE(IsFileInUse(file));
  std::ifstream in(file);
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "report\r");
}

// A read-only report target is protected; a read-only input can still be read.
TEST_F(IsFileInUseTest, ReadOnlyFileIsInUseAsATargetButNotLocked) {
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(IsFileInUse(file));
  EXPECT_FALSE(IsFileLocked(file));
}

// Locks the file in a child process, asks while the child holds it, then lets the child go.
bool InUseWhileChildLocks(const fs::path& path, bool recordLock, bool (*inUse)(const fs::path&),
                          bool shared = false) {
  int ready[2];
  int release[2];
  if (pipe(ready) != 0 || pipe(release) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = fork();
  if (child == 0) {
    const int fd = open(path.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = shared ? F_RDLCK : F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool locked =
        recordLock ? fcntl(fd, F_SETLK, &lock) == 0 : flock(fd, shared ? LOCK_SH : LOCK_EX) == 0;
    const char status = locked ? 'L' : 'F';
    char go = 0;
    if (write(ready[1], &status, 1) != 1 || read(release[0], &go, 1) != 1) _exit(2);
    _exit(0);
  }
  char status = 0;
  const bool childReady = read(ready[0], &status, 1) == 1 && status == 'L';
  const bool held = childReady && inUse(path);
  const char go = 'G';
  const bool released = write(release[1], &go, 1) == 1;
  int exitStatus = 0;
  waitpid(child, &exitStatus, 0);
  for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
  EXPECT_TRUE(childReady);
  EXPECT_TRUE(released);
  return held;
}

TEST_F(IsFileInUseTest, IsTrueWhileAnotherProcessLocksTheFile) {
  for (const bool recordLock : {false, true}) {
    SCOPED_TRACE(recordLock ? "fcntl record lock" : "flock");
    EXPECT_TRUE(InUseWhileChildLocks(file, recordLock, IsFileInUse));
    EXPECT_TRUE(InUseWhileChildLocks(file, recordLock, IsFileLocked));
    EXPECT_FALSE(IsFileInUse(file));
    EXPECT_FALSE(IsFileLocked(file));
  }
}

// Two readers hold the input at once: a reader's shared lock never makes it in use for another
// reader, while a report target held that way is.
TEST_F(IsFileInUseTest, IsFalseForAReaderWhileAnotherReaderHoldsTheFile) {
  for (const bool recordLock : {false, true}) {
    SCOPED_TRACE(recordLock ? "fcntl read lock" : "shared flock");
    EXPECT_FALSE(InUseWhileChildLocks(file, recordLock, IsFileLocked, true));
    EXPECT_TRUE(InUseWhileChildLocks(file, recordLock, IsFileInUse, true));
  }
}

} // namespace
