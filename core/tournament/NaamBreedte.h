#pragma once

#include <cstdint>
#include <string_view>

// The room a player's name has in the tournament table's report line; a longer name runs on
// and pushes what follows. The tournament counts it when it weighs a file's players, the report
// when it places them.
inline constexpr std::int32_t NaamBreedte = 33;

// By how many characters a name runs past the name column.
inline std::uintmax_t OverNaam(std::string_view naam) {
  const auto breedte = static_cast<std::size_t>(NaamBreedte);
  return naam.size() > breedte ? naam.size() - breedte : 0;
}
