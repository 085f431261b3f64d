#include "core/report/ReportTempFile.h"

#include <emscripten.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <set>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Under node there are no file locks. Each writer's temporary file carries its process id
// instead, "." + the report's name (cut) + ".~part." + the id: no two live writers share one,
// and a leftover is a file whose process is gone.

namespace {

// clang-format off
EM_JS(int, NodeProcessId, (), { return process.pid; });
// A process of another user counts as alive.
EM_JS(int, NodeProcessAlive, (int pid), {
  try {
    process.kill(pid, 0);
    return 1;
  } catch (e) {
    return e.code === "EPERM" ? 1 : 0;
  }
});
// clang-format on

constexpr const char* Marker = ".~part.";

// The process id in the name of a temporary file, or 0 for any other name.
int TempProcessId(const std::string& name) {
  const std::size_t at = name.rfind(Marker);
  if (name.empty() || name.front() != '.' || at == std::string::npos) return 0;
  const std::string digits = name.substr(at + std::char_traits<char>::length(Marker));
  if (digits.empty() || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
    return 0;
  return std::stoi(digits);
}

// Removes the temporary files of writers that are gone, once a folder in a run: later
// leftovers there are of processes that outlived the first look. A folder that cannot be read
// has none to remove; creating the file there tells why it fails.
void RemoveLeftOvers(const std::filesystem::path& folder) {
  static std::set<std::string> seen;
  if (!seen.insert(folder.native()).second) return;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string path = it->path().native();
    const int pid = TempProcessId(it->path().filename().native());
    if (pid <= 0 || (pid != NodeProcessId() && NodeProcessAlive(pid))) continue;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
  }
}

} // namespace

int CreateReportTempFile(const std::filesystem::path& target, std::string& path) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  RemoveLeftOvers(folder);
  path = (folder / ("." + target.filename().native().substr(0, MaxTempStem) + Marker +
                    std::to_string(NodeProcessId())))
             .native();
  // A file of this name is this process's own, left by an earlier write that failed.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST || ::unlink(path.c_str()) != 0) return fd;
  }
  return -1;
}

// Every writer has a file of its own here, so none was passed over as held.
void RemoveReportTempLeftOver(const std::filesystem::path& /*target*/,
                              const std::string& /*used*/) {}
