#include "core/run/FileIdentities.h"

#include <sys/stat.h>

namespace {

// The device and inode of the file at the path; false when there is none.
bool FileIdentity(const std::filesystem::path& path,
                  std::pair<std::uintmax_t, std::uintmax_t>& identity) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  identity = {st.st_dev, st.st_ino};
  return true;
}

} // namespace

const std::filesystem::path* TFileIdentities::Find(const std::filesystem::path& file) const {
  std::pair<std::uintmax_t, std::uintmax_t> identity;
  if (!FileIdentity(file, identity)) return nullptr;
  const auto it = FFiles.find(identity);
  return it == FFiles.end() ? nullptr : &it->second;
}

void TFileIdentities::Add(const std::filesystem::path& file, const std::filesystem::path& noted) {
  std::pair<std::uintmax_t, std::uintmax_t> identity;
  if (FileIdentity(file, identity)) FFiles.try_emplace(identity, noted);
}
