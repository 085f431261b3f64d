#include "core/FileInUse.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Another process holds a whole-file lock (flock) or a POSIX record lock on the file.
bool IsLockedByOther(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return true;
  flock(fd, LOCK_UN);

  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 0;
  return fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

} // namespace

bool IsFileInUse(const std::filesystem::path& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  // A file without any write permission is read-only, even for a user who could open it anyway.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;

  // O_NONBLOCK keeps the open from hanging should the path turn into a pipe meanwhile.
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return true;
  const bool locked = IsLockedByOther(fd);
  close(fd);
  return locked;
}
