#include "core/report/ReportTempFile.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A report's temporary file has a name of its own, "." + the report's name (cut) + ".~part":
// a run killed while writing leaves it there, and the next write of the report finds it by
// name, without reading the folder.
std::string TempName(const std::filesystem::path& target) {
  // Appended step by step: g++ 12 at -O3 warns falsely on "." + a string (GCC bug 105329).
  std::string name = ".";
  name += std::string_view(target.filename().native()).substr(0, MaxTempStem);
  name += ".~part";
  return name;
}

// Removes the file at the path when it is a regular file that no writer holds: a writer keeps
// a lock on its temporary file until the rename. True when no file is left there.
bool RemoveIfLeftOver(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  // The name must still be the file locked: another writer may have replaced a leftover
  // there by its own temporary file meanwhile.
  struct stat held {};
  struct stat named {};
  const bool removed = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
                       ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
                       named.st_dev == held.st_dev && named.st_ino == held.st_ino &&
                       ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

// Creates the report's temporary file, in the place of a leftover; while another writer holds
// it, a file of a unique name beside it.
int CreateTempFile(const std::string& own, std::string& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = ::open(own.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      path = own;
      return fd;
    }
    if (errno != EEXIST || !RemoveIfLeftOver(own)) break;
  }
  path = own + "-XXXXXX";
  return ::mkstemp(path.data());
}

std::string OwnTempPath(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  return (folder / TempName(target)).native();
}

} // namespace

int CreateReportTempFile(const std::filesystem::path& target, std::string& path) {
  return CreateTempFile(OwnTempPath(target), path);
}

void RemoveReportTempLeftOver(const std::filesystem::path& target, const std::string& used) {
  const std::string own = OwnTempPath(target);
  if (used != own) RemoveIfLeftOver(own);
}
