#pragma once

#include <QString>

#include <filesystem>

// A path as the window shows it: the name as the file system holds it, whatever code page 1252
// lacks included.
QString ShownPath(const std::filesystem::path& path);
// The file or folder name without its folder.
QString ShownName(const std::filesystem::path& path);
