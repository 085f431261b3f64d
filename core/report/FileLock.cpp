#include "core/report/FileLock.h"

#include <sys/file.h>
#include <unistd.h>

TFileLock::TFileLock(int fd) : FHeld(::dup(fd)) {
  if (FHeld >= 0 && ::flock(FHeld, LOCK_EX) != 0) Release();
}

bool TFileLock::Held() const {
  return FHeld >= 0;
}

void TFileLock::Release() {
  if (FHeld >= 0) ::close(FHeld);
  FHeld = -1;
}
