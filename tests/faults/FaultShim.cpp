// Fails the Nth file call a program makes on the files of one folder, as a full disk, a pulled
// stick or a denied folder would: loaded before the C library (LD_PRELOAD) into the converter,
// or linked into a test, it stands in for the calls below and passes every other call on.
//
// Set from the environment at start, or by FaultArm in a test:
//   MORVELANDER_FAULT_DIR  the folder whose files count (relative paths count too);
//   MORVELANDER_FAULT_AT   which counted call fails, 1 for the first; 0 or none fails none;
//   MORVELANDER_FAULT_LOG  a file that holds the number of counted calls so far and the call
//                          that failed.

#include "faults/FaultShim.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

struct TFaults {
  std::mutex Lock;
  std::string Dir;
  long At = 0;
  long Count = 0;
  std::string Failed;
  std::set<int> Fds;
  std::set<std::FILE*> Files;
};

TFaults& Faults() {
  // Never destroyed: calls may come while the program's statics are torn down.
  static TFaults* faults = new TFaults;
  return *faults;
}

// The C library's own function of that name.
template <typename F> F Next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

bool Counts(const char* path) {
  const TFaults& f = Faults();
  if (f.Dir.empty() || path == nullptr) return false;
  return path[0] != '/' || std::strncmp(path, f.Dir.c_str(), f.Dir.size()) == 0;
}

// The log is written anew after every counted call: a program may end without running its
// exit handlers.
void WriteLog(const TFaults& f) {
  const char* log = std::getenv("MORVELANDER_FAULT_LOG");
  if (log == nullptr) return;
  using TOpen = int (*)(const char*, int, ...);
  const int fd = Next<TOpen>("open")(log, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string text = std::to_string(f.Count) + "\n" + f.Failed + "\n";
  using TWrite = ssize_t (*)(int, const void*, size_t);
  const ssize_t written = Next<TWrite>("write")(fd, text.data(), text.size());
  static_cast<void>(written);
  Next<int (*)(int)>("close")(fd);
}

// Counts the call; true when it is the one to fail, with errno set to `error`.
bool Fail(const char* op, const char* path, int error) {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  const bool fail = ++f.Count == f.At;
  if (fail) f.Failed = std::string(op) + " " + (path ? path : "");
  WriteLog(f);
  errno = fail ? error : errno;
  return fail;
}

bool TrackedFd(int fd) {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  return f.Fds.count(fd) > 0;
}

bool TrackedFile(std::FILE* file) {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  return f.Files.count(file) > 0;
}

int Track(int fd) {
  if (fd >= 0) {
    TFaults& f = Faults();
    const std::lock_guard<std::mutex> hold(f.Lock);
    f.Fds.insert(fd);
  }
  return fd;
}

void Untrack(int fd) {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  f.Fds.erase(fd);
}

__attribute__((constructor)) void ArmFromEnvironment() {
  const char* dir = std::getenv("MORVELANDER_FAULT_DIR");
  const char* at = std::getenv("MORVELANDER_FAULT_AT");
  if (dir == nullptr) return;
  FaultArm(dir, at ? std::atol(at) : 0);
}

mode_t ModeArgument(int flags, va_list args) {
  return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

int OpenCounted(const char* name, int dirfd, const char* path, int flags, mode_t mode) {
  using TOpenAt = int (*)(int, const char*, int, ...);
  const bool counts = Counts(path);
  if (counts && Fail(name, path, EACCES)) return -1;
  const int fd = Next<TOpenAt>("openat")(dirfd, path, flags, mode);
  return counts ? Track(fd) : fd;
}

} // namespace

void FaultArm(const std::string& dir, long at) {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  f.Dir = dir;
  f.At = at;
  f.Count = 0;
  f.Failed.clear();
}

long FaultCount() {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  return f.Count;
}

std::string FaultFailed() {
  TFaults& f = Faults();
  const std::lock_guard<std::mutex> hold(f.Lock);
  return f.Failed;
}

extern "C" {

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenCounted("open", AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenCounted("open", AT_FDCWD, path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenCounted("open", dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenCounted("open", dirfd, path, flags, mode);
}

int mkstemp(char* pattern) {
  if (Counts(pattern) && Fail("mkstemp", pattern, EACCES)) return -1;
  const int fd = Next<int (*)(char*)>("mkstemp")(pattern);
  return Counts(pattern) ? Track(fd) : fd;
}

ssize_t read(int fd, void* buf, size_t size) {
  if (TrackedFd(fd) && Fail("read", nullptr, EIO)) return -1;
  return Next<ssize_t (*)(int, void*, size_t)>("read")(fd, buf, size);
}

ssize_t pread(int fd, void* buf, size_t size, off_t at) {
  if (TrackedFd(fd) && Fail("read", nullptr, EIO)) return -1;
  return Next<ssize_t (*)(int, void*, size_t, off_t)>("pread")(fd, buf, size, at);
}

ssize_t pread64(int fd, void* buf, size_t size, off_t at) {
  if (TrackedFd(fd) && Fail("read", nullptr, EIO)) return -1;
  return Next<ssize_t (*)(int, void*, size_t, off_t)>("pread64")(fd, buf, size, at);
}

ssize_t write(int fd, const void* buf, size_t size) {
  if (TrackedFd(fd) && Fail("write", nullptr, ENOSPC)) return -1;
  return Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, buf, size);
}

ssize_t pwrite(int fd, const void* buf, size_t size, off_t at) {
  if (TrackedFd(fd) && Fail("write", nullptr, ENOSPC)) return -1;
  return Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, buf, size, at);
}

ssize_t pwrite64(int fd, const void* buf, size_t size, off_t at) {
  if (TrackedFd(fd) && Fail("write", nullptr, ENOSPC)) return -1;
  return Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64")(fd, buf, size, at);
}

int fsync(int fd) {
  if (TrackedFd(fd) && Fail("fsync", nullptr, EIO)) return -1;
  return Next<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd) {
  if (TrackedFd(fd) && Fail("fdatasync", nullptr, EIO)) return -1;
  return Next<int (*)(int)>("fdatasync")(fd);
}

// A failed close still frees the descriptor, as Linux's does.
int close(int fd) {
  const bool tracked = TrackedFd(fd);
  if (tracked) Untrack(fd);
  const int closed = Next<int (*)(int)>("close")(fd);
  if (tracked && closed == 0 && Fail("close", nullptr, EIO)) return -1;
  return closed;
}

int rename(const char* from, const char* to) {
  if ((Counts(from) || Counts(to)) && Fail("rename", to, EACCES)) return -1;
  return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

int unlink(const char* path) {
  if (Counts(path) && Fail("unlink", path, EACCES)) return -1;
  return Next<int (*)(const char*)>("unlink")(path);
}

int mkdir(const char* path, mode_t mode) {
  if (Counts(path) && Fail("mkdir", path, EACCES)) return -1;
  return Next<int (*)(const char*, mode_t)>("mkdir")(path, mode);
}

std::FILE* fopen(const char* path, const char* mode) {
  const bool counts = Counts(path);
  if (counts && Fail("fopen", path, EACCES)) return nullptr;
  std::FILE* file = Next<std::FILE* (*)(const char*, const char*)>("fopen")(path, mode);
  if (counts && file != nullptr) {
    TFaults& f = Faults();
    const std::lock_guard<std::mutex> hold(f.Lock);
    f.Files.insert(file);
  }
  return file;
}

std::FILE* fopen64(const char* path, const char* mode) {
  return fopen(path, mode);
}

size_t fread(void* buf, size_t size, size_t count, std::FILE* file) {
  if (TrackedFile(file) && Fail("fread", nullptr, EIO)) {
    // As the C library marks a stream whose read failed (glibc's error flag).
    file->_flags |= _IO_ERR_SEEN;
    return 0;
  }
  return Next<size_t (*)(void*, size_t, size_t, std::FILE*)>("fread")(buf, size, count, file);
}

int fclose(std::FILE* file) {
  if (TrackedFile(file)) {
    TFaults& f = Faults();
    const std::lock_guard<std::mutex> hold(f.Lock);
    f.Files.erase(file);
  }
  return Next<int (*)(std::FILE*)>("fclose")(file);
}

} // extern "C"
