#include "core/report/DiskSync.h"

#include <emscripten.h>

// The WebAssembly runtime's fsync does nothing; node's own calls reach the disk. They take the
// descriptor node opened the file with, and give back the runtime's error number, or 0.

namespace {

// clang-format off
EM_JS(int, NodeSyncFile, (int fd), {
  try {
    require("fs").fsyncSync(FS.getStream(fd).nfd);
    return 0;
  } catch (e) {
    return ERRNO_CODES[e.code] || ERRNO_CODES.EIO;
  }
});
EM_JS(int, NodeSyncFolder, (const char* folder), {
  const fs = require("fs");
  let fd = -1;
  try {
    fd = fs.openSync(UTF8ToString(folder), "r");
    fs.fsyncSync(fd);
    fs.closeSync(fd);
    return 0;
  } catch (e) {
    try {
      if (fd >= 0) fs.closeSync(fd);
    } catch (ignored) {
      // The sync's own error tells why.
    }
    // Some file systems cannot sync a folder; their renames are then as durable as they get.
    if (e.code === "EINVAL" || e.code === "ENOTSUP" || e.code === "EISDIR") return 0;
    return ERRNO_CODES[e.code] || ERRNO_CODES.EIO;
  }
});
// clang-format on

std::error_code Error(int code) {
  return code == 0 ? std::error_code() : std::error_code(code, std::generic_category());
}

} // namespace

std::error_code SyncFile(int fd) {
  return Error(NodeSyncFile(fd));
}

std::error_code SyncFolder(const std::filesystem::path& folder) {
  return Error(NodeSyncFolder(folder.empty() ? "." : folder.c_str()));
}
