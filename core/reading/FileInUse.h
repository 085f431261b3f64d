#pragma once

#include <filesystem>

// True when a file exists at the path and cannot be opened for reading and writing, or
// another process holds a lock on it. A missing file is never in use. This is the test for a
// report's target: a read-only report is protected, never replaced.
bool IsFileInUse(const std::filesystem::path& path);

// True when another process holds an exclusive lock (flock, or a POSIX write lock) on the file
// at the path. This is the test for an input file, which is only read: a read-only file, one
// on a read-only medium, or one that other readers hold with shared locks, is free.
bool IsFileLocked(const std::filesystem::path& path);
