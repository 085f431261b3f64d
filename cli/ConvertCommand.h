#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// What the converter writes to standard output after the last file.
enum class TPrintWhat { Errors, Input, Table, Report, Status, None };

struct TConvertOptions {
  bool Batch = false;
  bool Help = false;
  bool Version = false;
  // Empty: the current folder.
  std::filesystem::path OutDir;
  // None: the separator of the user's locale.
  std::optional<char> DecimalSeparator;
  TPrintWhat Print = TPrintWhat::Errors;
  std::vector<std::filesystem::path> Files;
};

// A command line the converter does not understand; the text says what is wrong.
class TUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

extern const char* const ConvertUsage;

// What --version prints: the program's version and date, and its license.
std::string ConvertVersion();

// Reads the arguments after the program name. Throws TUsageError.
TConvertOptions ParseConvertArgs(const std::vector<std::string>& args);

// Converts every file and prints the chosen output. Returns 0 when every file was read and
// its report written, else 1.
int RunConvert(const TConvertOptions& options, std::ostream& out, std::ostream& err);

// The whole command: parsing, help, version, usage errors (exit status 2) and the conversion.
int ConvertMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
