#pragma once

// The page's form over the core, shared by the binding's commands and its tables: the
// conversion with the window's tables, the status line, and how texts and files cross to the
// page.

#include "core/run/Conversion.h"
#include "core/run/RunSteps.h"
#include "core/text/Cp1252.h"
#include "core/text/ErrorBoxText.h"
#include "core/text/Teksten.h"
#include "core/tournament/CoreUI.h"
#include "table/CellTable.h"

#include <emscripten/val.h>

#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// What a command left for the page to show.
struct TWebResult {
  std::string Naam;
  std::string Status;
  // What the page tells the user of the command's outcome: none or one plain message.
  emscripten::val Messages = emscripten::val::array();
  // The error box's text when the command failed; empty when it ran to its end.
  std::string Failure;
  int RegelCount = 0;
  // A file of a run: whether its report is made and belongs to the run's reports.
  bool Report = false;
  // A file of a run: the error list's row that is its summary, or -1.
  int SummaryRow = -1;
  // A file of a run: its place in the run's files, counted from 0; -1 for any other result.
  int File = -1;
  // A file of a run whose report the page is to keep (ReportName, ReportBytes) before it tells
  // the core how that went (RunStored).
  bool Store = false;
};

// The conversion of the page, with the window's tables.
struct TWebForm {
  TCoreUI UI;
  TConversion Conversion;
  // The status line: the tournament's name, and what its load counted.
  std::string Naam;
  std::string Status;
  std::array<int, 256> BodyWidths{};
  std::array<int, 256> HeaderWidths{};
  // The run of "Alle" going on, its file whose report the page is keeping, and the failure that
  // ended it, if one did.
  std::optional<TRunSteps> Steps;
  // The name of the file an open is loading, as the progress names it; empty in a run, which
  // counts its files instead.
  std::string Loading;
  TConvertResult Keeping;
  std::string RunFailure;

  explicit TWebForm(char decimalSeparator);
};

// The page's form; Start makes it.
std::optional<TWebForm>& Started();
TWebForm& Form();
// The input table (0), the tournament table (1) or the error list (2).
TCellTable& Grid(int which);

// The most bytes of one text the page is handed to show; a cell or a status text of megabytes
// would take the page seconds to lay out. The page shows what fits and the rest on request (a
// tooltip); a copy takes the whole text from the core.
inline constexpr std::size_t ShownBytes = 10000;
// The text cut to what the page is handed, in UTF-8, an ellipsis where it was cut.
std::string ShownCp1252(std::string_view text);
// The same for a text in UTF-8, cut between two characters.
std::string ShownUtf8(std::string text);
// The catalogue's words that compose makes around a name, in UTF-8 with the name as it is.
std::string WithName(const std::function<std::string(std::string_view)>& compose,
                     const std::string& name);
// How the page names files: as they are, in UTF-8, a second listed file of a name with its
// number after the name.
const TMessageNaming& PageNaming();
// Why the browser could not read a file or write one, by the name of its DOMException.
TLoadOutcome ReadFailure(const std::string& error);
std::error_code WriteFailure(const std::string& error);
// The bytes of a file as the page read it, a list of Uint8Arrays; each block is let go once
// copied.
std::string Bytes(emscripten::val blocks);

// Runs one step of a command, which fills in its outcome; a failure ends it with the error
// box's text.
template <typename F> TWebResult Run(F&& step) {
  TWebForm& form = Form();
  TWebResult result;
  try {
    step(form, result);
  } catch (const std::exception& e) {
    // What no user can cause still says in Dutch that the command broke off.
    result.Failure =
        Cp1252ToUtf8(std::string(Tekst::OpdrachtAfgebroken) + "\r" + ErrorBoxText(e.what()));
  }
  form.Loading.clear();
  result.Naam = ShownCp1252(form.Naam);
  result.Status = ShownCp1252(form.Status);
  result.RegelCount = form.Conversion.Toernooi.RegelCount();
  return result;
}
