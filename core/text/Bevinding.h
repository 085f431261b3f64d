#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// A finding that belongs to no line of the file: a value no line number can have.
inline constexpr int NoLine = std::numeric_limits<int>::max();

// Which finding a load made. Each has one text in the catalogue (Tekst::Bevindingen), at the
// same place; a new finding is one id here and one text there.
enum class TBevindingId : std::uint8_t {
  GeenRecordCode,
  ToernooinaamTeKort,
  ToernooinaamTeLang,
  StartdatumOngeldig,
  EinddatumOngeldig,
  KortJaar,
  StartNaEind,
  GeenRondeNr,
  GeenGeboortedatum,
  IdNrOntbreekt,
  UitslagOngeldig,
  WitAlGespeeld,
  ZwartAlGespeeld,
  RondedatumBuiten,
  MeerDatumsPerRonde,
  NaamTeKort,
  PlaatsOntbreekt,
  FederatieOntbreekt,
  StartdatumOntbreekt,
  EinddatumOntbreekt,
  InzenderOntbreekt,
  SpeeltempoOntbreekt,
  GeenPartijen,
  TekenWeggelaten,
  TekenVervangen,
  OngeldigeCodering,
  GeenUtf8,
  NulTeken,
  NaamAnders,
  GebDatumAnders,
  GebDatumErbij,
  TegenZichzelf,
  RondeNrLeeg,
  RondeNrKleiner,
  GeenRondedatum,
  GetalVorm,
  GebDatumNaRonde,
  GebDatumNaStart,
  RegelUtf8,
  CelOverRegels,
  TabInCel,
  Count
};

// One finding of a load: its line (NoLine for none), which finding it is, and the words its
// text is filled in with (%1, %2, ... in order), such as a field's name and text.
struct TBevinding {
  TBevindingId Id = TBevindingId::Count;
  int Regel = NoLine;
  std::vector<std::string> Args;
  // How many more of the same the line has, told after the text; 0 for none.
  std::int32_t Meer = 0;
};

// The finding's text, from the catalogue.
std::string BevindingText(const TBevinding& bevinding);
