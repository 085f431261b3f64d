#pragma once

#include "app/logic/FileRefusal.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct TIniSetting {
  std::string Section;
  std::string Key;
  std::string Value;
};

// A private-profile (ini) file as Windows keeps one: "[Section]" lines and "Key=Value"
// lines, values stored raw (no quoting, no escaping), section and key names matched without
// regard to case. Every call reads the file afresh; writing keeps all other lines.
class TIniFile {
public:
  // Values are cut to this many characters when read.
  static constexpr std::size_t MaxValueLength = 2047;
  // A larger file is not read at all, so a stray huge file cannot exhaust memory.
  static constexpr std::uintmax_t MaxFileSize = 1024 * 1024;

  explicit TIniFile(std::filesystem::path path) : FPath(std::move(path)) {}

  const std::filesystem::path& FileName() const { return FPath; }

  // The value of the key, or the default when the file, the section or the key is missing
  // or the file cannot be read.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Sets the key's value, creating the file, the section or the key when missing; the refusal
  // when the file cannot be written.
  [[nodiscard]] TFileOutcome WriteString(const std::string& section, const std::string& key,
                                         const std::string& value);
  // Sets several keys in one write of the file, so that it holds all of them or none.
  [[nodiscard]] TFileOutcome WriteStrings(const std::vector<TIniSetting>& settings);

private:
  static void SetKey(std::vector<std::string>& lines, const std::string& section,
                     const std::string& key, const std::string& value);
  // The file's lines without their line ends; false when it cannot be read.
  bool ReadLines(std::vector<std::string>& lines) const;

  std::filesystem::path FPath;
};
