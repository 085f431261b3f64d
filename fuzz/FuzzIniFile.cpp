#include "app/logic/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// What must hold after any settings file; a broken rule stops the run like a crash, with the
// input kept.
void Require(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

const fs::path& IniPath() {
  static const fs::path path = [] {
    const fs::path dir =
        fs::temp_directory_path() / ("morvelander-fuzz-ini-" + std::to_string(getpid()));
    fs::create_directories(dir);
    return dir / "Morvelander.ini";
  }();
  return path;
}

struct TSleutel {
  const char* section;
  const char* key;
};

// The window's own keys, and one of another section that a write must leave alone.
constexpr TSleutel Sleutels[] = {
    {"LastSession", "DataInMap"}, {"LastSession", "DataOutMap"}, {"Other", "DataInMap"}};
constexpr const char* Missing = "\x01missing";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& path = IniPath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TIniFile ini(path);
  std::string before[std::size(Sleutels)];
  for (std::size_t k = 0; k < std::size(Sleutels); ++k) {
    before[k] = ini.ReadString(Sleutels[k].section, Sleutels[k].key, Missing);
    Require(before[k] == Missing || before[k].size() <= TIniFile::MaxValueLength,
            "a value is cut to its limit");
  }

  // The first byte picks the key to write; a file holding a NUL byte holds no settings and
  // is replaced as a whole.
  const std::size_t written = size > 0 ? data[0] % std::size(Sleutels) : 0;
  const std::string value = "/home/trainer/Toernooien " + std::to_string(size);
  Require(!ini.WriteString(Sleutels[written].section, Sleutels[written].key, value),
          "the settings file is written");
  const bool kept =
      std::string(reinterpret_cast<const char*>(data), size).find('\0') == std::string::npos;
  for (std::size_t k = 0; k < std::size(Sleutels); ++k) {
    const std::string after = ini.ReadString(Sleutels[k].section, Sleutels[k].key, Missing);
    if (k == written)
      Require(after == value, "a written value reads back");
    else if (kept)
      Require(after == before[k], "a write leaves the other keys as they were");
  }
  return 0;
}
