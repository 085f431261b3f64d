#include "app/Desktop.h"

#include "app/TextCase.h"
#include "core/Cp1252.h"

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + '.';
  return text;
}

std::string ProgramTitle(const std::filesystem::path& exePath) {
  std::string name = FileNameText(exePath);
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) name = name.front() + LowerCp1252(std::string_view(name).substr(1));
  return name;
}
