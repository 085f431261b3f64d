#include "core/Version.h"

#include "core/NumberText.h"

std::string VersionText(char decimalSeparator) {
  return FormatFixed1(ProgramVersion, decimalSeparator) + " (" + ProgramDate + ")";
}
