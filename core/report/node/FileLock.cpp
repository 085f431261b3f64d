#include "core/report/FileLock.h"

// Under node there is nothing to lock: the lock stands for the file's own descriptor, which
// it neither keeps open nor closes.
TFileLock::TFileLock(int fd) : FHeld(fd) {}

bool TFileLock::Held() const {
  return FHeld >= 0;
}

void TFileLock::Release() {
  FHeld = -1;
}
