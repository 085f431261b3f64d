#include "core/ReportFile.h"

#include "core/Cp1252.h"
#include "core/FileLock.h"

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keeps the temporary name within the usual 255-byte limit of a file name.
constexpr std::size_t MaxTempStem = 200;
constexpr std::size_t WriteBlockSize = std::size_t{1} << 16;

bool WriteAll(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

// Writes the lines, each ended by CR LF, a block at a time: a report as large as memory then
// needs no second copy of itself.
bool WriteLines(int fd, const std::vector<std::string>& lines) {
  std::string block;
  block.reserve(WriteBlockSize);
  for (const std::string& line : lines) {
    block += line;
    block += "\r\n";
    if (block.size() >= WriteBlockSize) {
      if (!WriteAll(fd, block)) return false;
      block.clear();
    }
  }
  return WriteAll(fd, block);
}

// A replaced report keeps the permissions of the file it replaces, without set-user-ID,
// set-group-ID and sticky bits; a new one gets those of any newly created file. The rename
// replaces the name itself, so only a regular file there counts, not what a link points at.
mode_t ReportMode(const std::filesystem::path& target) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 0777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A report's temporary file has a name of its own, "." + the report's name (cut) + ".~part":
// a run killed while writing leaves it there, and the next write of the report finds it by
// name, without reading the folder.
std::string TempName(const std::filesystem::path& target) {
  return "." + target.filename().native().substr(0, MaxTempStem) + ".~part";
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
// it, a file of a unique name beside it. Returns the descriptor, or -1; `path` names the file.
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

// Writes the bytes into a new temporary file beside the target and moves it over the target.
// The rename replaces the report in one step, so a failed write or a crash of the program
// leaves the old report or the new one, never a part. The bytes reach the disk at the file
// system's pace: waiting for the disk after every report would make a folder of a thousand
// files wait a thousand times.
bool ReplaceFile(const std::filesystem::path& target, const std::vector<std::string>& lines) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::string own = (folder / TempName(target)).native();
  std::string temp;

  const int fd = CreateTempFile(own, temp);
  if (fd < 0) return false;
  // The lock lives on a second descriptor, so that closing the first still reports a failed
  // write before the rename, while the lock lasts until after it.
  TFileLock lock(fd);
  const bool written =
      lock.Held() && WriteLines(fd, lines) && ::fchmod(fd, ReportMode(target)) == 0;
  const bool closed = ::close(fd) == 0;
  const bool renamed = written && closed && std::rename(temp.c_str(), target.c_str()) == 0;
  if (!renamed) ::unlink(temp.c_str());
  lock.Release();
  // A leftover that another writer seemed to hold when this one began may be free by now.
  if (renamed && temp != own) RemoveIfLeftOver(own);
  return renamed;
}

} // namespace

std::string ReportBytes(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::filesystem::path ReportFileName(const std::filesystem::path& inputName) {
  std::string name = inputName.filename().native();
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  name += ".txt";
  return inputName.parent_path() / name;
}

bool WouldReplaceInput(const std::filesystem::path& target, const std::filesystem::path& input) {
  std::error_code ec;
  return std::filesystem::equivalent(target, input, ec) && !ec;
}

void WriteReportFile(const std::filesystem::path& target, const std::vector<std::string>& lines) {
  if (!ReplaceFile(target, lines)) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(target, ec);
    throw std::runtime_error("Cannot create file " + PathText(ec ? target : full));
  }
}
