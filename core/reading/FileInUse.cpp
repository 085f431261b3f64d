#include "core/reading/FileInUse.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Another process holds a whole-file lock (flock) or a POSIX record lock on the file that
// forbids what the caller means to do: a writer is kept out by any lock, a reader only by an
// exclusive one. A reader probes with a shared lock, so that two readers' probes never collide.
bool IsLockedByOther(int fd, bool forWriting) {
  if (flock(fd, (forWriting ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) return true;
  flock(fd, LOCK_UN);

  struct flock probe {};
  probe.l_type = forWriting ? F_WRLCK : F_RDLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 0;
  return fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

bool IsRegularFile(const std::filesystem::path& path, struct stat& info) {
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int OpenNoWait(const std::filesystem::path& path, int access) {
  // O_NONBLOCK keeps the open from hanging should the path turn into a pipe meanwhile.
  return open(path.c_str(), access | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

} // namespace

TTargetHold TargetHold(const std::filesystem::path& path) {
  struct stat info {};
  if (!IsRegularFile(path, info)) return TTargetHold::Free;
  // A file without any write permission is read-only, even for a user who could open it anyway.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return TTargetHold::Denied;

  const int fd = OpenNoWait(path, O_RDWR);
  // Other reasons (a read-only disk, a full one) are for the write to tell.
  if (fd < 0)
    return errno == EACCES || errno == EPERM ? TTargetHold::Denied
           : errno == ETXTBSY                ? TTargetHold::InUse
                                             : TTargetHold::Free;
  const bool locked = IsLockedByOther(fd, true);
  close(fd);
  return locked ? TTargetHold::InUse : TTargetHold::Free;
}

bool IsFileLocked(const std::filesystem::path& path) {
  struct stat info {};
  if (!IsRegularFile(path, info)) return false;
  // A file that cannot be opened is not held by anyone; reading it reports why it fails.
  const int fd = OpenNoWait(path, O_RDONLY);
  if (fd < 0) return false;
  const bool locked = IsLockedByOther(fd, false);
  close(fd);
  return locked;
}
