#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the players, the tournament table and the report take in memory, measured: per player,
// per round (its entry and index slot, its header and date cells, its part of the rulers and
// the dates line), and per cell of a player's row in a round.
inline constexpr double SpelerBytes = 700;
inline constexpr double RondeBytes = 160;
inline constexpr double RondeCelBytes = 24;
// A game in memory: the record in its list and its two index entries, at most three quarters
// full and growing by doubling; a name too long to be held in place adds its own block.
inline constexpr double GameBytes = 200;
inline constexpr std::size_t NaamInPlaats = 15;

// The memory the games, players and rounds of a file may take, of the eight times the file and
// 64 MiB that every front end holds to. Beside an input table: half of it, so that the text and
// the table fit beside, and most of the 64 MiB, which a small file of many players needs and the
// input table of a small file does not. Without one: all but twice the file (its bytes and its
// decoded text, or a front end's own copy of the bytes) and the 48 MiB that the node converter
// takes before it reads a file.
std::uintmax_t SpelerBudget(std::size_t fileBytes, bool invoerTabel);
// What a name takes beside its game, when it is too long to be held in place.
double NaamBytes(const std::string& naam);
// What that many players in that many rounds take in the table and the report.
double TableBytes(std::uintmax_t spelers, std::uintmax_t rondes);
