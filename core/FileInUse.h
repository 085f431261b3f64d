#pragma once

#include <filesystem>

// True when a file exists at the path and cannot be opened for reading and writing, or
// another process holds a lock on it. A missing file is never in use. This is the test for a
// report's target: a read-only report is protected, never replaced.
bool IsFileInUse(const std::filesystem::path& path);

// True when another process holds a lock on the file at the path. This is the test for an
// input file, which is only read: a read-only file, or one on a read-only medium, is free.
bool IsFileLocked(const std::filesystem::path& path);
