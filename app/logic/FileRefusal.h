#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

class TDesktop;

// A file or folder of the window's own (a chosen folder, the settings file, a sample copied
// into a new InBox) that could not be opened or made: a failure the user can cause, shown as a
// message like a report that could not be written.
struct TFileRefusal {
  enum class TStep { Open, Make };
  TStep Step = TStep::Open;
  std::filesystem::path Path;
  std::error_code Error;

  // The path, CR, then NietGeopendText or NietGemaaktText, as the window shows them.
  std::string Text() const;
  bool operator==(const TFileRefusal&) const = default;
};

// None when the call did what it was asked.
using TFileOutcome = std::optional<TFileRefusal>;

// Shows the refusal, if any, in a plain message; true when there was one.
bool ShowRefusal(TDesktop& desktop, const TFileOutcome& outcome);
