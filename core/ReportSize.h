#pragma once

#include <cstdint>

class TToernooi;

// The bytes of the report the tournament would make, line ends included, counted without
// making it: the header lines, both rulers and the round dates, which are each as wide as all
// rounds together, and every player line, which is as wide again and longer by what a long
// name runs on. The figure is never below the report's size.
std::uintmax_t ReportSize(const TToernooi& toernooi);
