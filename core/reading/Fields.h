#pragma once

#include "core/reading/DateValue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Trimming removes every character of code 32 or less; codes 128-255 are ordinary.
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

// The field routines consume a line from its front: what they read is removed from `line`.

// The text up to the first TAB; the field and its TAB leave the line. Without a TAB the
// result is empty and the line stays as it is.
std::string_view CutTabField(std::string_view& line);
int TabCount(std::string_view text);
// Decimal with an optional sign, or hexadecimal after '$', 'x', 'X', '0x' or '0X', in 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);
// A field's text as ReadIntField reads it; none when it is no integer (an empty field too).
std::optional<std::int32_t> ParseIntField(std::string_view field);
// The next field as an integer; 0 when it does not read as one.
std::int32_t ReadIntField(std::string_view& line);
// The next field as a date: NoDate when empty, InvalidDate when it does not read as a date
// from 1904-01-01 to 2099-12-31 (impossible calendar dates included). Empty fields in front are
// skipped: the next field with text is the date.
TDate ReadDateField(std::string_view& line);

// A date field as the reader took it: its text, the date, and whether its year was written
// below 10 and read as 200x, and then in how many characters.
struct TDatumVeld {
  std::string_view Tekst;
  TDate Datum = NoDate;
  bool JaarVerbreed = false;
  int JaarCijfers = 0;
};
// ReadDateField with the field's text.
TDatumVeld ReadDatumVeld(std::string_view& line);
// The next field alone as a date: an empty field is NoDate, and the fields after it stay.
TDatumVeld ReadEigenDatumVeld(std::string_view& line);
