#include "bench/TournamentGenerator.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string_view>

namespace {

bool ReadNumber(std::string_view text, auto& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

// morvelander-generate N FILE [SEED]: writes a tournament file with N game lines.
int main(int argc, char** argv) {
  TGeneratorOptions options;
  if ((argc != 3 && argc != 4) || !ReadNumber(argv[1], options.GameLines) ||
      options.GameLines < 0 || (argc == 4 && !ReadNumber(argv[3], options.Seed))) {
    std::fprintf(stderr, "Usage: morvelander-generate GAME_LINES FILE [SEED]\n"
                         "Writes a realistic tournament file (*.csv) with that many game lines.\n");
    return 2;
  }
  const TGeneratedToernooi toernooi = GenerateToernooi(options);
  std::ofstream out(argv[2], std::ios::binary);
  out << toernooi.Bytes;
  out.close();
  if (!out) {
    std::fprintf(stderr, "morvelander-generate: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %d game lines, %d players, %zu bytes\n", argv[2], toernooi.GameLines,
              toernooi.Spelers, toernooi.Bytes.size());
  return 0;
}
