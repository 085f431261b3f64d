#include "core/report/ReportSize.h"
#include "core/report/ToernooiGrid.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// What must hold after any input; a broken rule stops the run like a crash, with the input kept.
void Require(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

int ClipboardLines(const std::string& text) {
  int lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte also picks the mode, so one corpus covers both.
  const bool batch = size > 0 && (data[0] & 1) != 0;

  TCellTable errorGrid(4, 2, 1, 1);
  TCellTable inputGrid(5, 5, 1, 0);
  TCellTable toernooiGrid(2, 2, 1, 1);
  TCoreUI ui;
  TFouten fouten(errorGrid);
  TToernooi toernooi(fouten, ui);
  fouten.Clear();
  toernooi.LoadBytes("fuzz.csv", bytes, inputGrid, batch);
  // A refused report leaves the table empty; the rest holds for reports made.
  if (!FillToernooiGrid(toernooi, toernooiGrid).empty()) return 0;

  const int spelers = toernooi.GetSpelerCount();
  const int rondes = static_cast<int>(toernooi.Rondes.size());
  Require(toernooiGrid.RowCount() == spelers + 2, "one table row per player");
  Require(toernooiGrid.ColCount() == rondes + 11, "one table column per round");
  Require(toernooi.ReportLines.size() == static_cast<std::size_t>(spelers) + 14,
          "one report line per player");
  std::size_t reportBytes = 0;
  for (const std::string& line : toernooi.ReportLines) reportBytes += line.size() + 2;
  Require(reportBytes <= ReportSize(toernooi), "the report is no larger than counted");
  std::size_t partijen = 0;
  for (int i = 0; i < spelers; ++i) {
    Require(toernooi.Spelers[i].StartNr == i + 1, "start ranks follow the list");
    partijen += toernooi.Spelers[i].Partijen.size();
  }
  Require(partijen == 2 * static_cast<std::size_t>(toernooi.Games.Count()),
          "every game counts for both players");
  if (batch && size > 0) Require(errorGrid.RowCount() <= 3, "a batch lists only the summary row");

  // No cell can hold a line break, so the clipboard has one line per row.
  for (const TCellTable* table : {&inputGrid, &toernooiGrid, &errorGrid}) {
    if (table->RowCount() > 1)
      Require(ClipboardLines(table->ClipboardText()) == table->RowCount(),
              "one clipboard line per table row");
  }
  return 0;
}
