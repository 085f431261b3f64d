#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <utility>

// Files known by their identity on disk, each with a path it stands for: the inputs of a run,
// or the reports a run wrote with the input each was made from. Names that differ where the
// file system ignores the difference, or that reach the file through a link, find it too.
class TFileIdentities {
public:
  // The path noted for the file at the path; null when that file is not known or not there.
  const std::filesystem::path* Find(const std::filesystem::path& file) const;
  // Notes the file at the path, if there is one, with the path it stands for; a file noted
  // before keeps its first path.
  void Add(const std::filesystem::path& file, const std::filesystem::path& noted);

private:
  std::map<std::pair<std::uintmax_t, std::uintmax_t>, std::filesystem::path> FFiles;
};
