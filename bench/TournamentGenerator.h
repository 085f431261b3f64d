#pragma once

#include <cstdint>
#include <string>

// What a generated tournament file should look like.
struct TGeneratorOptions {
  // Game records (code 900) in the file, faulty ones included.
  int GameLines = 1000;
  int Rondes = 9;
  std::uint64_t Seed = 1;
  // Plant a few faulty game lines and short names, as real files have them.
  bool Findings = true;
};

// A generated tournament file and what a reader should find in it.
struct TGeneratedToernooi {
  std::string Bytes;
  int GameLines = 0;
  // Players that occur in the file (every one plays at least one accepted game).
  int Spelers = 0;
  // Game lines that must be rejected, by reason.
  int MissingIds = 0;
  int IllegalResults = 0;
  int PlayedTwice = 0;
  // Accepted games in which a side's name is shorter than 3 characters, counted per side.
  int ShortNameSides = 0;
};

// A realistic youth tournament of code-page-1252 text with CR LF line ends: the header
// records, then round by round the Swiss-paired games. Players have Dutch-style names, some
// with accented letters, and dates come in the forms organisers write them. The same options
// always give the same bytes.
TGeneratedToernooi GenerateToernooi(const TGeneratorOptions& options);
