#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// Where a run keeps the reports of files its front end read: the page's zip or the folder the
// user picked. A refusal is the file's outcome, and the run goes on with the next file.
class TReportStore {
public:
  virtual ~TReportStore() = default;
  // Where the report of that name goes, as a message names it.
  virtual std::filesystem::path Target(const std::filesystem::path& reportName) const = 0;
  // Keeps the report's lines, each to be ended by CR LF, at the target; the reason it could
  // not, else none.
  virtual std::error_code Store(const std::filesystem::path& target,
                                const std::vector<std::string>& lines) = 0;
};
