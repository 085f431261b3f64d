#pragma once

#include "core/text/TekstCodering.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// Why a load read the lines it read, or none: the reader that met the file tells, so that no
// caller has to ask the file system a second time.
enum class TLoadOutcome {
  Read,
  // No file at the path.
  Missing,
  // A folder, a pipe, a device: something that is not a plain file.
  NotAFile,
  // Another program holds a lock on the file.
  InUse,
  // Larger than MaxTextFileSize, before or while it was read.
  TooLarge,
  // The file is there but cannot be opened or read (no permission, a read error).
  Unreadable,
  // The copy a browser gave of the file when it was picked no longer reads: the file has
  // changed since, or is gone.
  Changed,
  // The file holds no byte at all.
  Empty,
  // Not text: a NUL character or many other control characters in its first kilobytes.
  NotText,
  // The user stopped the load before it ended.
  Stopped,
};

struct TLoadResult {
  TLoadResult(TLoadOutcome outcome = TLoadOutcome::Read, std::uintmax_t size = 0)
      : Outcome(outcome), Size(size) {}

  TLoadOutcome Outcome;
  // The file's size as far as it was known; the figure of a TooLarge refusal.
  std::uintmax_t Size;
  // The tournament's name as its header record gives it; empty when it read no lines.
  std::string Naam;
  // How many findings it counted, once it read its lines to the end.
  std::optional<int> Fouten;
  // The encoding it read the file in.
  TTekstCodering Codering = TTekstCodering::Cp1252;

  bool Read() const { return Outcome == TLoadOutcome::Read; }
};

// What a load that read no lines says to the user, after the file's name: lines separated by
// CR, in Dutch. Empty for a file that was read.
std::string LoadOutcomeText(const TLoadResult& result);
