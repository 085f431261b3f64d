#pragma once

#include <string>

// A tournament of one game in every round, each between two new players: a small file whose
// report gives every player a line as wide as all rounds together.
inline std::string SparseRondesCsv(int rondes) {
  std::string csv = "012;Ruim toernooi\r\n";
  for (int r = 1; r <= rondes; ++r)
    csv += "900;" + std::to_string(r) + ";14-11-2009;" + std::to_string(2 * r - 1) + ";" +
           std::to_string(2 * r) + ";1;Wit, Speler;Zwart, Speler;01-01-2000;01-01-2000\r\n";
  return csv;
}

// One round in which every game brings two new players: a file of a few megabytes whose
// players alone would take tens of times its size.
inline std::string ManySpelersCsv(int games) {
  std::string csv = "012;Vol toernooi\r\n";
  for (int g = 1; g <= games; ++g)
    csv += "900;1;14-11-2009;" + std::to_string(2 * g - 1) + ";" + std::to_string(2 * g) +
           ";1;Wit, Speler;Zwart, Speler;01-01-2000;01-01-2000\r\n";
  return csv;
}
