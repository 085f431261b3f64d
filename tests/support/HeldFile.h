#pragma once

#include <filesystem>
#include <stdexcept>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// Holds an exclusive lock on a file as another program would, until the object goes. A lock
// taken through its own open file conflicts with every other open of the file, in this
// process too.
class THeldFile {
public:
  explicit THeldFile(const std::filesystem::path& path)
      : FFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (FFd < 0 || ::flock(FFd, LOCK_EX) != 0)
      throw std::runtime_error("cannot lock " + path.native());
  }
  THeldFile(const THeldFile&) = delete;
  THeldFile& operator=(const THeldFile&) = delete;
  ~THeldFile() { ::close(FFd); }

private:
  int FFd;
};
