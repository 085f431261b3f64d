#include "app/logic/AboutText.h"

#include "app/logic/Desktop.h"
#include "core/text/Teksten.h"
#include "core/text/Version.h"

namespace fs = std::filesystem;

std::string AboutText(char decimalSeparator, const fs::path& in, const fs::path& out,
                      const fs::path& ini) {
  // The copyright year is that of the version, so the two never contradict each other.
  const std::string year = std::string(ProgramDate).substr(0, 4);
  return DisplayText(FillIn(Tekst::OverProgramma, VersionText(decimalSeparator), year)) + "\r\r" +
         DisplayText(Tekst::OverWerkmappen) + "\r" + DisplayPath(in) + "\r" + DisplayPath(out) +
         "\r\r" + DisplayText(Tekst::OverInstellingen) + "\r" + DisplayPath(ini);
}
