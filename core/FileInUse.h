#pragma once

#include <filesystem>

// True when a file exists at the path and cannot be opened for reading and writing, or
// another process holds a lock on it. A missing file is never in use.
bool IsFileInUse(const std::filesystem::path& path);
