#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Splits text into lines ended by CR LF, LF or a lone CR; a NUL byte ends the text.
std::vector<std::string> SplitLines(std::string_view text);
// Reads a file's bytes as they are and splits them into lines.
std::vector<std::string> ReadTextLines(const std::filesystem::path& path);
