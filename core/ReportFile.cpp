#include "core/ReportFile.h"

#include "core/Cp1252.h"

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keeps the temporary name within the usual 255-byte limit of a file name.
constexpr std::size_t MaxTempStem = 200;

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

// A replaced report keeps its permissions; a new one gets those of any newly created file.
mode_t ReportMode(const std::filesystem::path& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes the bytes into a new temporary file beside the target and moves it over the target.
// The rename replaces the report in one step, so a failed write or a crash of the program
// leaves the old report or the new one, never a part. The bytes reach the disk at the file
// system's pace: waiting for the disk after every report would make a folder of a thousand
// files wait a thousand times.
bool ReplaceFile(const std::filesystem::path& target, const std::string& bytes) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  const std::string stem = target.filename().native().substr(0, MaxTempStem);
  std::string pattern = (folder / ("." + stem + ".XXXXXX")).native();

  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fchmod(fd, ReportMode(target)) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && std::rename(pattern.c_str(), target.c_str()) == 0) return true;
  ::unlink(pattern.c_str());
  return false;
}

} // namespace

std::filesystem::path ReportFileName(const std::filesystem::path& inputName) {
  std::string name = inputName.filename().native();
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  name += ".txt";
  return inputName.parent_path() / name;
}

void WriteReportFile(const std::filesystem::path& target, const std::vector<std::string>& lines) {
  if (!ReplaceFile(target, ReportBytes(lines))) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(target, ec);
    throw std::runtime_error("Cannot create file " + PathText(ec ? target : full));
  }
}
