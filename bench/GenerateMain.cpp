#include "bench/HostileShapes.h"
#include "bench/TournamentGenerator.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

namespace {

bool ReadNumber(std::string_view text, auto& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool WriteFile(const char* path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  if (!out) std::fprintf(stderr, "morvelander-generate: cannot write %s\n", path);
  return static_cast<bool>(out);
}

// The file of one hostile shape, about that many bytes; false for an unknown shape.
bool ShapeBytes(std::string_view shape, std::size_t bytes, std::string& text) {
  if (shape == "findings")
    text = DenseFindingsFile(bytes);
  else if (shape == "lffindings")
    text = LfFindingsFile(bytes);
  else if (shape == "lfheaders")
    text = LfHeadersFile(bytes);
  else if (shape == "short")
    text = ShortLinesFile(bytes);
  else if (shape == "players")
    text = ManyPlayersFile(bytes);
  else if (shape == "rounds")
    text = ManyRondesFile(bytes);
  else if (shape == "wide")
    text = WideLinesFile(bytes);
  else if (shape == "codes")
    text = ManyCodesFile(bytes);
  else if (shape == "rejected")
    text = RejectedRondesFile(bytes);
  else if (shape == "separators")
    text = SeparatorsFile(bytes);
  else if (shape == "name")
    text = LongNameFile(bytes);
  else if (shape == "empty")
    text = EmptyFieldsFile(bytes);
  else if (shape == "names")
    text = LongPlayerNamesFile(bytes);
  else if (shape == "roundfindings")
    text = RondeFindingsFile(bytes);
  else if (shape == "utf8")
    text = Utf8LackingFile(bytes);
  else if (shape == "utf16")
    text = Utf16LackingFile(bytes);
  else if (shape == "roundgames")
    text = RoundGamesFile(bytes);
  else if (shape == "emptylines")
    text = EmptyLinesFile(bytes);
  else if (shape == "player")
    text = LongPlayerLineFile(bytes);
  else if (shape == "quoted")
    text = QuotedSeparatorsFile(bytes);
  else
    return false;
  return true;
}

} // namespace

// morvelander-generate N FILE [SEED]: writes a tournament file with N game lines.
// morvelander-generate --shape SHAPE MIB FILE: writes a file of a hostile shape.
int main(int argc, char** argv) {
  if (argc == 5 && std::string_view(argv[1]) == "--shape") {
    std::size_t mib = 0;
    std::string text;
    if (!ReadNumber(argv[3], mib) || !ShapeBytes(argv[2], mib << 20, text)) {
      std::fprintf(stderr, "Usage: morvelander-generate --shape "
                           "findings|lffindings|lfheaders|short|players|rounds|wide|codes|rejected|"
                           "separators|name|empty|names|roundfindings|utf8|utf16|roundgames|"
                           "emptylines|player|quoted MIB FILE\n");
      return 2;
    }
    if (!WriteFile(argv[4], text)) return 1;
    std::printf("%s: %s, %zu bytes\n", argv[4], argv[2], text.size());
    return 0;
  }
  TGeneratorOptions options;
  if ((argc != 3 && argc != 4) || !ReadNumber(argv[1], options.GameLines) ||
      options.GameLines < 0 || (argc == 4 && !ReadNumber(argv[3], options.Seed))) {
    std::fprintf(stderr, "Usage: morvelander-generate GAME_LINES FILE [SEED]\n"
                         "Writes a realistic tournament file (*.csv) with that many game lines.\n");
    return 2;
  }
  const TGeneratedToernooi toernooi = GenerateToernooi(options);
  if (!WriteFile(argv[2], toernooi.Bytes)) return 1;
  std::printf("%s: %d game lines, %d players, %zu bytes\n", argv[2], toernooi.GameLines,
              toernooi.Spelers, toernooi.Bytes.size());
  return 0;
}
