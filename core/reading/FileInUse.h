#pragma once

#include <filesystem>

// What keeps a file from being replaced.
enum class TTargetHold {
  Free,
  // The file is read-only, or this user may not write it.
  Denied,
  // Another process holds a lock on it, or runs it.
  InUse,
};

// This is the test for a report's target: a read-only report is protected, never replaced. A
// missing file, or no regular file, is free.
TTargetHold TargetHold(const std::filesystem::path& path);

// True when another process holds an exclusive lock (flock, or a POSIX write lock) on the file
// at the path. This is the test for an input file, which is only read: a read-only file, one
// on a read-only medium, or one that other readers hold with shared locks, is free.
bool IsFileLocked(const std::filesystem::path& path);
