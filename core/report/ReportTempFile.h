#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// A report is written into a temporary file beside it, which the rename then moves over the
// report. A run killed while writing leaves that file behind; a later write removes such a
// leftover, never the file of a writer that is still at work.

// Keeps the temporary name within the usual 255-byte limit of a file name.
constexpr std::size_t MaxTempStem = 200;

// Creates the temporary file for the target, mode 0600. Returns the descriptor, or -1; `path`
// names the file.
int CreateReportTempFile(const std::filesystem::path& target, std::string& path);
// After the report took its place: removes a leftover that another writer seemed to hold
// when this one began and that may be free by now; `used` is the file this writer used.
void RemoveReportTempLeftOver(const std::filesystem::path& target, const std::string& used);
