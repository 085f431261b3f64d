#include "core/LoadOutcome.h"

#include "core/TextFile.h"

namespace {

const char* const NotOpened = "Kan niet geopend worden...\r";

} // namespace

std::string LoadOutcomeText(const TLoadResult& result) {
  switch (result.Outcome) {
  case TLoadOutcome::Read:
    return {};
  case TLoadOutcome::Missing:
    return std::string(NotOpened) + "Het bestand bestaat niet.";
  case TLoadOutcome::NotAFile:
    return std::string(NotOpened) + "Het is geen gewoon bestand maar een map of apparaat.";
  case TLoadOutcome::InUse:
    return std::string(NotOpened) + "Wordt reeds gebruikt door een ander programma.";
  case TLoadOutcome::TooLarge:
    return std::string(NotOpened) + "Het bestand is te groot (" +
           std::to_string(SizeInMiB(result.Size)) + " MiB; de grens is " +
           std::to_string(SizeInMiB(MaxTextFileSize)) + " MiB).";
  case TLoadOutcome::Unreadable:
    return std::string(NotOpened) + "Het bestand kan niet gelezen worden.";
  case TLoadOutcome::Empty:
    return "Het bestand is leeg.";
  case TLoadOutcome::StartsWithNul:
    return "Het bestand begint met een NUL-teken: het is geen tekstbestand.";
  case TLoadOutcome::Stopped:
    return "Gestopt.";
  }
  return {};
}
