#include "app/logic/Desktop.h"

#include "core/text/Cp1252.h"
#include "core/text/TextCase.h"

std::string DisplayText(std::string_view cp1252) {
  return Cp1252ToUtf8(cp1252);
}

std::string FailureText(const char* what, const std::exception& e) {
  return DisplayText(what) + "\r" + DisplayText(e.what());
}

// A name that is not UTF-8 was written by a program that used code page 1252.
std::string DisplayPath(const std::filesystem::path& path) {
  const std::string bytes = path.string();
  return IsUtf8(bytes) ? bytes : Cp1252ToUtf8(bytes);
}

std::string DisplayName(const std::filesystem::path& path) {
  return DisplayPath(path.filename());
}

std::string ProgramTitle(const std::filesystem::path& exePath) {
  std::string name = FileNameText(exePath);
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) name = name.front() + LowerCp1252(std::string_view(name).substr(1));
  return name;
}
