#include "core/text/Version.h"

#include "core/text/NumberText.h"

std::string VersionText(char decimalSeparator) {
  return FormatFixed1(ProgramVersion, decimalSeparator) + " (" + ProgramDate + ")";
}
