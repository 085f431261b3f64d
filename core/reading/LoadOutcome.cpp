#include "core/reading/LoadOutcome.h"

#include "core/reading/SizeLimits.h"
#include "core/text/Teksten.h"

namespace {

std::string NotOpened(const std::string& why) {
  return std::string(Tekst::NietGeopend) + "\r" + why;
}

} // namespace

std::string LoadOutcomeText(const TLoadResult& result) {
  switch (result.Outcome) {
  case TLoadOutcome::Read:
    return {};
  case TLoadOutcome::Missing:
    return NotOpened(Tekst::BestaatNiet);
  case TLoadOutcome::NotAFile:
    return NotOpened(Tekst::GeenGewoonBestand);
  case TLoadOutcome::InUse:
    return NotOpened(Tekst::InGebruik);
  case TLoadOutcome::TooLarge:
    return NotOpened(FillIn(Tekst::TeGroot, std::to_string(SizeInMiB(result.Size)),
                            std::to_string(SizeInMiB(MaxTextFileSize))));
  case TLoadOutcome::Unreadable:
    return NotOpened(Tekst::NietLeesbaar);
  case TLoadOutcome::Changed:
    return NotOpened(Tekst::Gewijzigd);
  case TLoadOutcome::Empty:
    return Tekst::Leeg;
  case TLoadOutcome::NotText:
    return Tekst::GeenTekst;
  case TLoadOutcome::Stopped:
    return Tekst::Gestopt;
  }
  return {};
}
