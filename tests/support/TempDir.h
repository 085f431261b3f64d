#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

// A fresh, empty folder under the system's temporary folder (or the given one), removed with
// everything in it when the object goes.
class TTempDir {
public:
  TTempDir() : TTempDir(std::filesystem::temp_directory_path()) {}
  explicit TTempDir(const std::filesystem::path& parent) {
    std::string pattern = (parent / "morvelander-XXXXXX").native();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return FPath / name; }

private:
  std::filesystem::path FPath;
};
