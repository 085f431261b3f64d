#include "core/run/ConvertResult.h"

#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"

#include <cerrno>

namespace fs = std::filesystem;

const TMessageNaming& Cp1252Naming() {
  static const TMessageNaming naming{[](std::string_view text) { return std::string(text); },
                                     FileNameText, PathText};
  return naming;
}

const TMessageNaming& Utf8Naming() {
  static const TMessageNaming naming{[](std::string_view text) { return Cp1252ToUtf8(text); },
                                     [](const fs::path& path) { return path.filename().string(); },
                                     [](const fs::path& path) { return path.string(); }};
  return naming;
}

bool TConvertResult::Told() const {
  switch (Outcome) {
  case TConvertOutcome::Done:
  case TConvertOutcome::Declined:
    return false;
  case TConvertOutcome::NotRead:
    return Load.Outcome != TLoadOutcome::Missing && Load.Outcome != TLoadOutcome::Empty &&
           Load.Outcome != TLoadOutcome::Stopped;
  default:
    return true;
  }
}

const fs::path& TConvertResult::Subject() const {
  return Outcome == TConvertOutcome::TargetInUse || Outcome == TConvertOutcome::TargetDenied ||
                 Outcome == TConvertOutcome::WriteFailed
             ? Target
             : Input;
}

namespace {

std::string NoFileMade() {
  return std::string("\r") + Tekst::GeenBestandGemaakt;
}

} // namespace

bool TConvertResult::EndsRun() const {
  if (Outcome != TConvertOutcome::WriteFailed) return false;
  const std::error_condition why = Error.default_error_condition();
  return why == std::errc::no_such_file_or_directory || why == std::errc::not_a_directory ||
         why == std::errc::no_space_on_device ||
         why == std::error_condition(EDQUOT, std::generic_category());
}

std::string TConvertResult::Reason(const TMessageNaming& naming) const {
  const auto& text = naming.Text;
  switch (Outcome) {
  case TConvertOutcome::Done:
  case TConvertOutcome::Declined:
    return {};
  case TConvertOutcome::NotRead:
    return text(LoadOutcomeText(Load));
  case TConvertOutcome::ReportTooLarge:
    return text(Detail + ".");
  case TConvertOutcome::WouldReplaceInput:
    return text(Tekst::HetRapport) + naming.Path(Target) +
           text(std::string("\r") + Tekst::ZouInvoerVervangen) +
           (Other.empty() ? std::string() : naming.Path(Other) + text(Tekst::VanDezeOpdracht)) +
           text(Tekst::Vervangen + NoFileMade());
  case TConvertOutcome::AlreadyWritten:
    return text(Tekst::HetRapport) + naming.Path(Target) +
           text(std::string("\r") + Tekst::AlGemaaktVoor) + naming.Name(Other) +
           text("." + NoFileMade());
  case TConvertOutcome::TargetInUse:
    return text(Tekst::ReedsGebruikt + NoFileMade());
  case TConvertOutcome::TargetDenied:
    return text(Tekst::GeenToegangTotDoel + NoFileMade());
  case TConvertOutcome::WriteFailed:
    return text(NietGemaaktText(Error));
  case TConvertOutcome::NothingToSave:
    if (!Load.Read()) return text(LoadOutcomeText(Load));
    return text(Detail.empty() ? std::string(Tekst::GeenRapport) : Detail + ".");
  }
  return {};
}

std::string TConvertResult::Text(const TMessageNaming& naming) const {
  if (&Subject() == &Target) return naming.Path(Target) + naming.Text("\r") + Reason(naming);
  // Before any file was read there is no name to give.
  if (Input.empty()) return Reason(naming);
  return naming.Name(Input) + naming.Text("\r\r") + Reason(naming);
}
