#pragma once

#include <cstddef>
#include <string>

// Small tournament files shaped against one step of the conversion each, so that the
// benchmarks show how that step's cost grows with them.

// One game per round, each between two new players: most round cells are empty.
std::string SparseRondesFile(int rondes);
// Every player in one game, named so that the player list's quicksort, taking the middle item
// as pivot, always draws the smallest key of its range: the order of first appearance is built
// against its partition scheme.
std::string SortWorstCaseFile(int spelers);
// Game records that each give two findings (missing ids, illegal result).
std::string FindingsFile(int findings);
// Short records and one record of many fields, so that every row of the input table is as
// wide as that one.
std::string WideLineFile(int lines, int fields);

// One game per round, each player against himself. With `colliding`, the (white id, round)
// keys are found by running backwards the hash the games index used to have, so that all of
// them fall on one slot of that index; otherwise ids and rounds are 1, 2, 3 ...
std::string IndexKeysFile(int games, bool colliding);

// Shapes of whole files, for the peak memory of each front end against the file's size:
// game records of two findings in seven bytes ("900;1").
std::string DenseFindingsFile(std::size_t bytes);
// The same ended by LF alone ("900;1\n").
std::string LfFindingsFile(std::size_t bytes);
// A tournament-name header record on every line, ended by LF alone ("012;N\n").
std::string LfHeadersFile(std::size_t bytes);
// Short lines without findings ("12345").
std::string ShortLinesFile(std::size_t bytes);
// One round in which every game brings two new players.
std::string ManyPlayersFile(std::size_t bytes);
// Many rounds of one game each between two new players.
std::string ManyRondesFile(std::size_t bytes);
// One line of many fields, then short lines.
std::string WideLinesFile(std::size_t bytes);
// Every line a record code of its own ("1000;x", "1001;x", ...).
std::string ManyCodesFile(std::size_t bytes);
// Rejected game records that each name a round of their own ("900;17").
std::string RejectedRondesFile(std::size_t bytes);
// One line of nothing but separators.
std::string SeparatorsFile(std::size_t bytes);
// One tournament name of the whole file.
std::string LongNameFile(std::size_t bytes);
// Game records of empty fields ("900;;;;;").
std::string EmptyFieldsFile(std::size_t bytes);
// One round in which every game brings two new players of 200-character names.
std::string LongPlayerNamesFile(std::size_t bytes);
// Many rounds of one game each between two new players, every game dated outside the
// tournament: one finding a line.
std::string RondeFindingsFile(std::size_t bytes);
// UTF-8 lines that each hold one character code page 1252 lacks ("\u0141").
std::string Utf8LackingFile(std::size_t bytes);
// The same in UTF-16 LE with its byte-order mark.
std::string Utf16LackingFile(std::size_t bytes);
// Two thousand players in many short rounds: every player in a game of each round.
std::string RoundGamesFile(std::size_t bytes);
// One empty line after another.
std::string EmptyLinesFile(std::size_t bytes);
// One game record whose white player's name is the whole file.
std::string LongPlayerLineFile(std::size_t bytes);
// One game record whose white player's name is one quoted cell of separators.
std::string QuotedSeparatorsFile(std::size_t bytes);
