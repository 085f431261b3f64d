#pragma once

#include "core/reading/LoadOutcome.h"

#include <filesystem>
#include <functional>
#include <string>
#include <variant>

// What a front end's reader gives for a file: its bytes, or why it could not read them.
using TSourceBytes = std::variant<std::string, TLoadOutcome>;

// A file of a run that its front end reads rather than the core: its name, and its bytes
// already in memory or a reader that yields them when the file's turn comes, so that a run
// holds one file's bytes at a time.
class TRunSource {
public:
  static TRunSource Bytes(std::filesystem::path name, std::string bytes);
  static TRunSource Reader(std::filesystem::path name, std::function<TSourceBytes()> read);

  const std::filesystem::path& Name() const { return FName; }
  // The bytes or why there are none; a source is read once.
  TSourceBytes Read();

private:
  TRunSource(std::filesystem::path name, std::function<TSourceBytes()> read);

  std::filesystem::path FName;
  std::function<TSourceBytes()> FRead;
};
