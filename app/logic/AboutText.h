#pragma once

#include <filesystem>
#include <string>

// F1's text: the version and its licence, the two folders in use and the settings file.
std::string AboutText(char decimalSeparator, const std::filesystem::path& in,
                      const std::filesystem::path& out, const std::filesystem::path& ini);
