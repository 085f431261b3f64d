#pragma once

#include <cstdint>

class TToernooi;

// The bytes of the report the tournament would make, line ends included, counted without
// making it: the header lines, both rulers and the round dates, which are each as wide as all
// rounds together, and every player line, which is as wide again and longer by what a long
// name and cells of long numbers run on. The figure is never below the report's size.
std::uintmax_t ReportSize(const TToernooi& toernooi);
// The same for players not built: how many there are, and by how many characters their names
// together run past the name column.
std::uintmax_t ReportSize(const TToernooi& toernooi, int spelerCount, std::uintmax_t overNaam);
