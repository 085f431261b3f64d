#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A line as the reader works on it: trimmed, its fields separated by TAB, and one TAB
// appended; ";" and TAB both separate fields. A field wholly between double quotes, as
// spreadsheets write their cells, is read without them: a doubled quote inside is one quote and
// a ";" inside is text. Returns how many characters the quotes took. The buffer is reused from
// line to line.
std::size_t PrepareLine(std::string_view line, std::string& prepared);
// The rest of a header record as one field: separators dropped, trimmed, one TAB appended.
std::string JoinFields(std::string_view rest);
