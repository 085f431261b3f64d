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

bool IsHeld(const fs::path& path) {
  return TargetHold(path) != TTargetHold::Free;
}

class FileInUseTest : public testing::Test {
protected:
  void SetUp() override { std::ofstream(file) << "report\r\n"; }

  const TTempDir temp;
  const fs::path dir = temp.Path();
  const fs::path file = dir / "report.txt";
};

TEST_F(FileInUseTest, IsFalseWithoutARegularFile) {
  for (const fs::path& path : {dir / "missing.txt", dir}) {
    EXPECT_FALSE(IsHeld(path));
    EXPECT_FALSE(IsFileLocked(path));
  }
}

TEST_F(FileInUseTest, IsFalseForAFreeFileAndLeavesItFree) {
  EXPECT_FALSE(IsHeld(file));
  EXPECT_FALSE(IsFileLocked(file));
  EXPECT_FALSE(IsHeld(file));
  std::ifstream in(file);
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "report\r");
}

// A read-only report target is protected; a read-only input can still be read.
TEST_F(FileInUseTest, ReadOnlyFileIsADeniedTargetButNotLocked) {
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(TargetHold(file), TTargetHold::Denied);
  EXPECT_FALSE(IsFileLocked(file));
}

// A file others may write but this user may not: its owner without the owner's write bit, or,
// for root, whom no permission stops, the user nobody in a child process.
TEST_F(FileInUseTest, FileThisUserMayNotWriteIsADeniedTarget) {
  const bool root = ::geteuid() == 0;
  ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(file.c_str(), root ? 0664 : 0464), 0);
  if (!root) {
    EXPECT_EQ(TargetHold(file), TTargetHold::Denied);
    return;
  }
  const pid_t child = fork();
  if (child == 0) {
    constexpr uid_t Nobody = 65534;
    if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) _exit(2);
    _exit(TargetHold(file) == TTargetHold::Denied ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
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

TEST_F(FileInUseTest, IsTrueWhileAnotherProcessLocksTheFile) {
  for (const bool recordLock : {false, true}) {
    SCOPED_TRACE(recordLock ? "fcntl record lock" : "flock");
    EXPECT_TRUE(InUseWhileChildLocks(file, recordLock, IsHeld));
    EXPECT_TRUE(InUseWhileChildLocks(file, recordLock, IsFileLocked));
    EXPECT_FALSE(IsHeld(file));
    EXPECT_FALSE(IsFileLocked(file));
  }
}

// Two readers hold the input at once: a reader's shared lock never makes it in use for another
// reader, while a report target held that way is.
TEST_F(FileInUseTest, IsFalseForAReaderWhileAnotherReaderHoldsTheFile) {
  for (const bool recordLock : {false, true}) {
    SCOPED_TRACE(recordLock ? "fcntl read lock" : "shared flock");
    EXPECT_FALSE(InUseWhileChildLocks(file, recordLock, IsFileLocked, true));
    EXPECT_TRUE(InUseWhileChildLocks(file, recordLock, IsHeld, true));
  }
}

} // namespace
