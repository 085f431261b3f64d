#include "core/report/ReportFile.h"

#include "core/report/DiskSync.h"
#include "core/report/FileLock.h"
#include "core/report/ReportTempFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t WriteBlockSize = std::size_t{1} << 16;

// Each step returns the system's error, or none.
std::error_code LastError() {
  return {errno, std::generic_category()};
}

std::error_code WriteAll(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return {};
}

// Writes the lines, each ended by CR LF, a block at a time: a report as large as memory then
// needs no second copy of itself.
std::error_code WriteLines(int fd, const std::vector<std::string>& lines) {
  std::string block;
  block.reserve(WriteBlockSize);
  for (const std::string& line : lines) {
    block += line;
    block += "\r\n";
    if (block.size() >= WriteBlockSize) {
      if (const std::error_code ec = WriteAll(fd, block)) return ec;
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

// Whether the path names the open file.
bool StillNamed(const std::string& path, int fd) {
  struct stat open {};
  struct stat named {};
  return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Writes the bytes into a new temporary file beside the target and moves it over the target.
// The rename replaces the report in one step, so a failed write or a crash of the program
// leaves the old report or the new one, never a part; the syncs make that hold through a power
// cut as well.
std::error_code ReplaceFile(const std::filesystem::path& target,
                            const std::vector<std::string>& lines) {
  // Another writer may take a temporary file for a leftover, and remove it, before this one
  // locks it: a file is written only while its name still leads to it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::string temp;
    const int fd = CreateReportTempFile(target, temp);
    if (fd < 0) return LastError();
    // The lock lives on a second descriptor, so that closing the first still reports a failed
    // write before the rename, while the lock lasts until after it.
    TFileLock lock(fd);
    if (lock.Held() && !StillNamed(temp, fd)) {
      ::close(fd);
      continue;
    }
    std::error_code ec;
    if (!lock.Held())
      ec = std::make_error_code(std::errc::resource_unavailable_try_again);
    else if (!(ec = WriteLines(fd, lines)) && ::fchmod(fd, ReportMode(target)) != 0)
      ec = LastError();
    if (!ec) ec = SyncFile(fd);
    if (::close(fd) != 0 && !ec) ec = LastError();
    if (!ec && std::rename(temp.c_str(), target.c_str()) != 0) ec = LastError();
    if (ec) {
      ::unlink(temp.c_str());
      return ec;
    }
    lock.Release();
    RemoveReportTempLeftOver(target, temp);
    // The new report is whole in its place; when its folder cannot be synced, the rename
    // may not survive a power cut, and the report is not called written.
    return SyncFolder(target.parent_path());
  }
  return std::make_error_code(std::errc::resource_unavailable_try_again);
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

std::error_code WriteReportFile(const std::filesystem::path& target,
                                const std::vector<std::string>& lines) {
  return ReplaceFile(target, lines);
}
