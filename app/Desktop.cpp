#include "app/Desktop.h"

#include "core/Cp1252.h"
#include "core/TextCase.h"

std::string ProgramTitle(const std::filesystem::path& exePath) {
  std::string name = FileNameText(exePath);
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) name = name.front() + LowerCp1252(std::string_view(name).substr(1));
  return name;
}
