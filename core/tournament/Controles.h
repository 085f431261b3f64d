#pragma once

#include "core/reading/DateValue.h"
#include "core/reading/Fields.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/IdNrs.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The first day of 2000, of 2005, and the last of 2099: the header dates' limits.
inline constexpr TDate Date20000101 = 36526;
inline constexpr TDate Date20050101 = 38353;
inline constexpr TDate Date20991231 = 73050;

// A date whose year below 10 was read as 200x, said with the date it became and how many
// digits the year had.
void AddJaarVerbreed(const TDatumVeld& datum, const char* veld, int regel, TFoutLijst& fouten);
// A birth date stays empty in the report when its text is no date. One after peil (the round's
// date when ronde, else the start date; none when no date is shown) is named and kept.
TDate ReadGebDatum(std::string_view& rest, const char* veld, int regel, TDate peil, bool ronde,
                   TFoutLijst& fouten);
// Whether a number field is written in plain decimal digits.
bool IsPlainGetal(std::string_view field);
// A number field as ParseIntField reads it; one that reads but is not written in plain digits
// (a sign, a hexadecimal or '$' prefix, a blank) is named with the number it was read as.
std::optional<std::int32_t> ReadGetal(std::string_view field, const char* veld, int regel,
                                      TFoutLijst& fouten);
// The finding that the text was read as that number.
void AddGetalVorm(std::string_view tekst, std::int32_t getal, const char* veld, int regel,
                  TFoutLijst& fouten);
// Whether the file has any header record.
bool HasKopRecord(const TIdNrList& idNrs);
// Whether a start or end date lies in the years a tournament is held.
bool IsHeaderDate(TDate date);
