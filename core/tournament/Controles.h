#pragma once

#include "core/reading/DateValue.h"
#include "core/reading/Fields.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/IdNrs.h"

#include <string_view>

// The first day of 2000, of 2005, and the last of 2099: the header dates' limits.
inline constexpr TDate Date20000101 = 36526;
inline constexpr TDate Date20050101 = 38353;
inline constexpr TDate Date20991231 = 73050;

// A date whose one-digit year was read as 200x, said with the date it became.
void AddJaarVerbreed(const TDatumVeld& datum, const char* veld, int regel, TFoutLijst& fouten);
// A birth date stays empty in the report when its text is no date.
TDate ReadGebDatum(std::string_view& rest, const char* veld, int regel, TFoutLijst& fouten);
// Whether the file has any header record.
bool HasKopRecord(const TIdNrList& idNrs);
// Whether a start or end date lies in the years a tournament is held.
bool IsHeaderDate(TDate date);
