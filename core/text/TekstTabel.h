#pragma once

#include <span>

// An entry of the catalogue by its id, the name of its constant in Tekst.
struct TTekstEntry {
  const char* Id;
  const char* Text;
};

// Every entry of the catalogue, in the order of Teksten.h: the page receives its texts from it.
std::span<const TTekstEntry> TekstTabel();
