#pragma once

#include "core/text/Teksten.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/Toernooi.h"
#include "table/CellTable.h"

#include <filesystem>
#include <string>
#include <vector>

// One error-list row as the user reads it.
struct TErrorRow {
  std::string Regel;
  std::string Opmerking;
  std::string Fout;
  bool operator==(const TErrorRow&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const TErrorRow& row) {
  return os << "{\"" << row.Regel << "\", \"" << row.Opmerking << "\", \"" << row.Fout << "\"}";
}

// The window's three tables and its tournament, for driving loads in tests.
struct TLoadRun {
  TCellTable ErrorGrid{5, 5, 1, 1};
  TCellTable InputGrid{5, 5, 1, 0};
  TCoreUI UI;
  TFouten Fouten{ErrorGrid};
  TToernooi Toernooi{Fouten, UI};
  TLoadResult Last;

  TLoadRun() { Fouten.Clear(); }

  void Load(const std::filesystem::path& path, bool batch = false) {
    Last = Toernooi.LoadFile(path, InputGrid, batch);
  }

  // The status line of the last load.
  std::string Status() const { return LoadStatusText(Last.Fouten, Last.Codering); }

  // The entries between the header row and the open row.
  std::vector<TErrorRow> Errors() const {
    std::vector<TErrorRow> rows;
    for (int r = 1; r < ErrorGrid.RowCount() - 1; ++r)
      rows.push_back({std::string(ErrorGrid.GetCell(1, r)), std::string(ErrorGrid.GetCell(2, r)),
                      std::string(ErrorGrid.GetCell(3, r))});
    return rows;
  }
};

inline std::filesystem::path LoadData(const std::string& name) {
  return std::filesystem::path(MORVELANDER_TEST_DATA) / "load" / name;
}
