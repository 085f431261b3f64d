#pragma once

#include <filesystem>
#include <system_error>

// A report the program calls written must survive a power cut: its bytes reach the disk before
// the rename that puts it in place, and its folder's entry after it. Without these, a file
// system that does not order a rename after the data (USB sticks, most of them) can leave an
// empty report or none.

// Waits until the open file's bytes are on the disk. Returns the system's error, or none.
std::error_code SyncFile(int fd);
// Waits until the folder's entries (a rename into it) are on the disk. Returns the system's
// error, or none.
std::error_code SyncFolder(const std::filesystem::path& folder);
