#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// The report's name for an input file name: everything from its last "." replaced by ".txt",
// or ".txt" appended when it has none.
std::filesystem::path ReportFileName(const std::filesystem::path& inputName);

// The report file's bytes: the lines, each ended by CR LF.
std::string ReportBytes(const std::vector<std::string>& lines);

// Whether a report written at the target would take the place of the input file: both name
// the same file on disk.
bool WouldReplaceInput(const std::filesystem::path& target, const std::filesystem::path& input);

// Writes the lines, each ended by CR LF, so that the target is always either its old content
// or the complete new report. Returns the system's error when it could not, else none.
std::error_code WriteReportFile(const std::filesystem::path& target,
                                const std::vector<std::string>& lines);
