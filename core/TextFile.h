#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Splits text into lines ended by CR LF, LF or a lone CR; a NUL byte ends the text. The lines
// are views into the text.
std::vector<std::string_view> SplitLines(std::string_view text);
// A file's bytes as they are. Throws std::runtime_error("Cannot open file " + path).
std::string ReadTextFile(const std::filesystem::path& path);
