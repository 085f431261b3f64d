#include "bench/HostileShapes.h"

#include <cstdint>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void AddLine(std::string& bytes, const std::string& line) {
  bytes += line;
  bytes += "\r\n";
}

std::string HeaderRecords() {
  std::string bytes;
  AddLine(bytes, "012;Vormtoernooi Utrecht");
  AddLine(bytes, "022;Utrecht");
  AddLine(bytes, "032;NED");
  AddLine(bytes, "042;01-01-2010");
  AddLine(bytes, "052;31-12-2010");
  AddLine(bytes, "102;J. de Vries");
  AddLine(bytes, "122;60 min");
  return bytes;
}

std::string Game(int ronde, int wit, int zwart, const std::string& witNaam,
                 const std::string& zwartNaam) {
  return "900;" + std::to_string(ronde) + ";01-01-2010;" + std::to_string(wit) + ";" +
         std::to_string(zwart) + ";1;" + witNaam + ";" + zwartNaam + ";;";
}

// Six letters in base 26, so that the names sort as their numbers do.
std::string LetterName(int number) {
  std::string name(6, 'a');
  for (int k = 5; k >= 0; --k, number /= 26)
    name[static_cast<std::size_t>(k)] = static_cast<char>('a' + number % 26);
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

// The inverse modulo 2^64 of an odd number, by Newton's iteration.
std::uint64_t OddInverse(std::uint64_t c) {
  std::uint64_t x = c;
  for (int k = 0; k < 6; ++k) x *= 2 - c * x;
  return x;
}

// The inverse of the mix with which the games index once placed its keys (a fixed, unkeyed
// 64-bit finaliser). x ^= x >> 33 undoes itself.
std::uint64_t UnmixKey(std::uint64_t h) {
  h ^= h >> 33;
  h *= OddInverse(0xc4ceb9fe1a85ec53ULL);
  h ^= h >> 33;
  h *= OddInverse(0xff51afd7ed558ccdULL);
  h ^= h >> 33;
  return h;
}

} // namespace

std::string IndexKeysFile(int games, bool colliding) {
  std::string bytes = HeaderRecords();
  // Mixed values whose low 32 bits are 0 share the first slot of any table up to 2^32 slots.
  std::uint64_t high = 0;
  for (int g = 0; g < games; ++g) {
    int id = g + 1;
    int ronde = g + 1;
    while (colliding) {
      const std::uint64_t key = UnmixKey(++high << 32);
      id = static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 32));
      ronde = static_cast<std::int32_t>(static_cast<std::uint32_t>(key));
      if (id >= 1) break;
    }
    AddLine(bytes, Game(ronde, id, id, LetterName(g), LetterName(g)));
  }
  return bytes;
}

std::string SparseRondesFile(int rondes) {
  std::string bytes = HeaderRecords();
  for (int r = 1; r <= rondes; ++r)
    AddLine(bytes, Game(r, 2 * r - 1, 2 * r, "Wit, Speler " + std::to_string(r),
                        "Zwart, Speler " + std::to_string(r)));
  return bytes;
}

std::string SortWorstCaseFile(int spelers) {
  // Plays the quicksort on the positions: its pivot, the middle of the range, is given the
  // smallest key left, so the partition swaps it to the front and leaves all other items in
  // one part. Items that never met a pivot yet only ever compared above it.
  std::vector<int> slots(static_cast<std::size_t>(spelers));
  std::iota(slots.begin(), slots.end(), 0);
  std::vector<int> rank(static_cast<std::size_t>(spelers));
  for (int l = 0; l < spelers; ++l) {
    const int p = l + (spelers - 1 - l) / 2;
    rank[static_cast<std::size_t>(slots[static_cast<std::size_t>(p)])] = l;
    std::swap(slots[static_cast<std::size_t>(l)], slots[static_cast<std::size_t>(p)]);
  }
  std::string bytes = HeaderRecords();
  for (int s = 0; s + 1 < spelers; s += 2)
    AddLine(bytes, Game(1, s + 1, s + 2, LetterName(rank[static_cast<std::size_t>(s)]),
                        LetterName(rank[static_cast<std::size_t>(s) + 1])));
  return bytes;
}

std::string FindingsFile(int findings) {
  std::string bytes = HeaderRecords();
  for (int k = 0; k < findings / 2; ++k) AddLine(bytes, "900;1;01-01-2010;0;0;9;Ab Cd;Ef Gh;;");
  return bytes;
}

std::string WideLineFile(int lines, int fields) {
  std::string bytes = HeaderRecords();
  std::string wide = "999";
  for (int k = 0; k < fields; ++k) wide += ";x";
  AddLine(bytes, wide);
  for (int k = 0; k < lines; ++k) AddLine(bytes, "999;kort");
  return bytes;
}

namespace {

std::string Repeated(std::string_view line, std::size_t bytes) {
  std::string text = HeaderRecords();
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text.append(line);
  return text;
}

} // namespace

std::string DenseFindingsFile(std::size_t bytes) {
  return Repeated("900;1\r\n", bytes);
}

std::string LfFindingsFile(std::size_t bytes) {
  return Repeated("900;1\n", bytes);
}

std::string LfHeadersFile(std::size_t bytes) {
  return Repeated("012;N\n", bytes);
}

std::string ShortLinesFile(std::size_t bytes) {
  return Repeated("12345\r\n", bytes);
}

std::string ManyPlayersFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  for (int s = 0; text.size() < bytes; s += 2)
    AddLine(text, Game(1, s + 1, s + 2, LetterName(s), LetterName(s + 1)));
  return text;
}

std::string ManyRondesFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  for (int r = 1; text.size() < bytes; ++r)
    AddLine(text, Game(r, 2 * r - 1, 2 * r, LetterName(2 * r), LetterName(2 * r + 1)));
  return text;
}

std::string WideLinesFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  text += "999";
  while (text.size() < bytes / 2) text += ";x";
  text += "\r\n";
  while (text.size() < bytes) AddLine(text, "999;kort");
  return text;
}

std::string ManyCodesFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  for (int code = 1000; text.size() < bytes; ++code) AddLine(text, std::to_string(code) + ";x");
  return text;
}

std::string RejectedRondesFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  for (int r = 1; text.size() < bytes; ++r) AddLine(text, "900;" + std::to_string(r));
  return text;
}

std::string SeparatorsFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  text.append(bytes > text.size() ? bytes - text.size() : 0, ';');
  return text;
}

std::string LongNameFile(std::size_t bytes) {
  std::string text = "012;";
  text.append(bytes > text.size() ? bytes - text.size() : 0, 'N');
  return text;
}

std::string EmptyFieldsFile(std::size_t bytes) {
  return Repeated("900;;;;;\r\n", bytes);
}

std::string LongPlayerNamesFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  const std::string padding(194, 'x');
  for (int s = 0; text.size() < bytes; s += 2)
    AddLine(text, Game(1, s + 1, s + 2, LetterName(s) + padding, LetterName(s + 1) + padding));
  return text;
}

std::string RondeFindingsFile(std::size_t bytes) {
  std::string text = HeaderRecords();
  for (int r = 1; text.size() < bytes; ++r)
    AddLine(text, "900;" + std::to_string(r) + ";01-01-2011;" + std::to_string(2 * r - 1) + ";" +
                      std::to_string(2 * r) + ";1;" + LetterName(2 * r) + ";" +
                      LetterName(2 * r + 1) + ";;");
  return text;
}

std::string Utf8LackingFile(std::size_t bytes) {
  return Repeated("\xC5\x81\n", bytes);
}

std::string Utf16LackingFile(std::size_t bytes) {
  std::string text = "\xFF\xFE";
  for (const char c : HeaderRecords()) text += std::string{c, '\0'};
  constexpr std::string_view line("\x41\x01\n\0", 4);
  while (text.size() < bytes) text.append(line);
  return text;
}

std::string RoundGamesFile(std::size_t bytes) {
  constexpr int Spelers = 2000;
  std::string text = HeaderRecords();
  for (int r = 1; text.size() < bytes; ++r)
    for (int s = 0; s < Spelers && text.size() < bytes; s += 2)
      AddLine(text, Game(r, s + 1, s + 2, LetterName(s), LetterName(s + 1)));
  return text;
}

std::string EmptyLinesFile(std::size_t bytes) {
  return Repeated("\n", bytes);
}

std::string LongPlayerLineFile(std::size_t bytes) {
  std::string text = HeaderRecords() + "900;1;01-01-2010;1;2;1;";
  text.append(bytes > text.size() + 16 ? bytes - text.size() - 16 : 0, 'N');
  text += ";Aa, Bb;;\r\n";
  return text;
}

std::string QuotedSeparatorsFile(std::size_t bytes) {
  std::string text = HeaderRecords() + "900;1;01-01-2010;1;2;1;\"";
  text.append(bytes > text.size() + 16 ? bytes - text.size() - 16 : 0, ';');
  text += "\";Aa, Bb;;\r\n";
  return text;
}
