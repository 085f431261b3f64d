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

// The temporary files of a report are named "." + its name (cut) + "." + six characters.
std::string TempPrefix(const std::filesystem::path& target) {
  return "." + target.filename().native().substr(0, MaxTempStem) + ".";
}

// Removes temporary files of the same report that a run killed while writing left behind.
// A writer holds a lock on its temporary file until the rename, so a file that can be locked
// belongs to no running writer.
void RemoveLeftovers(const std::filesystem::path& folder, const std::string& prefix) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    const std::string name = path.filename().native();
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(path.c_str());
    ::close(fd);
  }
}

// Writes the bytes into a new temporary file beside the target and moves it over the target.
// The rename replaces the report in one step, so a failed write or a crash of the program
// leaves the old report or the new one, never a part. The bytes reach the disk at the file
// system's pace: waiting for the disk after every report would make a folder of a thousand
// files wait a thousand times.
bool ReplaceFile(const std::filesystem::path& target, const std::string& bytes) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::string prefix = TempPrefix(target);
  std::string pattern = (folder / (prefix + "XXXXXX")).native();

  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  // The lock lives on a second descriptor, so that closing the first still reports a failed
  // write before the rename, while the lock lasts until after it.
  TFileLock lock(fd);
  const bool written = lock.Held() && WriteAll(fd, bytes) && ::fchmod(fd, ReportMode(target)) == 0;
  const bool closed = ::close(fd) == 0;
  const bool renamed = written && closed && std::rename(pattern.c_str(), target.c_str()) == 0;
  if (!renamed) ::unlink(pattern.c_str());
  lock.Release();
  if (renamed) RemoveLeftovers(folder, prefix);
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
  if (!ReplaceFile(target, ReportBytes(lines))) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(target, ec);
    throw std::runtime_error("Cannot create file " + PathText(ec ? target : full));
  }
}
