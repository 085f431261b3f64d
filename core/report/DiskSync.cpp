#include "core/report/DiskSync.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

} // namespace

std::error_code SyncFile(int fd) {
  return ::fsync(fd) == 0 ? std::error_code() : LastError();
}

std::error_code SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LastError();
  std::error_code ec = SyncFile(fd);
  // Some file systems cannot sync a folder; their renames are then as durable as they get.
  if (ec == std::errc::invalid_argument || ec == std::errc::operation_not_supported) ec.clear();
  if (::close(fd) != 0 && !ec) ec = LastError();
  return ec;
}
