#include "bench/TournamentGenerator.h"

#include "core/reading/DateValue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <unordered_set>
#include <vector>

namespace {

// splitmix64: small, fast, and the same sequence on every platform and library.
class TRandom {
public:
  explicit TRandom(std::uint64_t seed) : FState(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (FState += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // 0 .. n - 1.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Percent(int percent) { return Below(100) < percent; }
  template <typename T, std::size_t N> const T& Pick(const T (&items)[N]) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
  }

private:
  std::uint64_t FState;
};

// Code page 1252 bytes: \xE9 é, \xEB ë, \xEF ï, \xF6 ö, \xFC ü, \xD6 Ö, \xC7 Ç, \xE1 á; written in
// octal (\307 Ç, \353 ë, \357 ï) where a hexadecimal digit follows.
const char* const Achternamen[] = {
    "Jansen",       "Vries",      "Berg",     "Bakker",    "Visser",   "Smit",       "Meijer",
    "Boer",         "Mulder",     "Groot",    "Bos",       "Vos",      "Peters",     "Hendriks",
    "Leeuwen",      "Dekker",     "Brouwer",  "Wit",       "Dijkstra", "Smits",      "Graaf",
    "Meer",         "Linden",     "Kok",      "Jacobs",    "Haan",     "Vermeulen",  "Heuvel",
    "Veen",         "Broek",      "Bruijn",   "Jong",      "Dijk",     "Janssen",    "Willems",
    "Schouten",     "Hoekstra",   "Koster",   "Prins",     "Huisman",  "Kuipers",    "Verhoeven",
    "\xD6zt\xFCrk", "M\xFCller",  "P\xE9rez", "\307elik",  "Ru\xEDz",  "Ho\353vens", "Bren\xE9",
    "Sch\xF6nberg", "S\xE1nchez", "Nguyen",   "El Amrani", "Yilmaz"};

// Dutch surname prefixes, written after the first name as Dutch lists sort them; most names
// have none.
const char* const Tussenvoegsels[] = {"",    "",        "",        "",       "",    "de",
                                      "van", "van den", "van der", "van de", "ter", "op den"};

const char* const Voornamen[] = {
    "Daan",        "Sem",      "Lucas",     "Milan",     "Levi",    "Noah",    "Bram",
    "Finn",        "Luuk",     "Jesse",     "Thijs",     "Julia",   "Emma",    "Tess",
    "Sophie",      "Mila",     "Sara",      "Fleur",     "Anna",    "Lotte",   "Zo\xEB",
    "Ana\xEFs",    "Chlo\xE9", "No\xEBl",   "Jo\xEBlle", "Sa\357d", "Ren\xE9", "Jos\xE9",
    "Fran\xE7ois", "Bj\xF6rn", "J\xFCrgen", "Mohammed",  "Yara",    "Ilse"};

// Names of fewer than 3 characters, as a few players are entered.
const char* const KorteNamen[] = {"Xu", "Li", "Wu", "Bo"};

const char* const Plaatsen[] = {
    "Utrecht",   "Wijk aan Zee", "'s-Hertogenbosch", "Den Haag",   "Leeuwarden", "Zwolle",
    "Eindhoven", "Groningen",    "Haarlem",          "Maastricht", "Assen",      "Tilburg"};

const char* const Inzenders[] = {"J. de Vries", "A. Bakker", "M. van den Berg", "K. Dijkstra",
                                 "R. Ho\353vens"};

const char* const Speeltempi[] = {"90 min + 30 sec", "60 min", "2 x 45 min", "25 min + 10 sec",
                                  "2 uur"};

constexpr int FindingEvery = 250;
constexpr int ShortNameEvery = 500;

struct TPlayer {
  std::int32_t IdNr = 0;
  std::string Naam;
  TDate GebDatum = NoDate;
  // Hidden playing strength on the rating scale; it decides the results.
  int Sterkte = 0;
  // Points times two, so that draws stay integral.
  int Punten2 = 0;
  // White games minus black games.
  int KleurSaldo = 0;
};

std::string TwoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n % 100);
  return text;
}

// A date as organisers write it: mostly dd-mm-yyyy, some year first, some with full stops,
// some without leading zeros.
std::string DateText(TDate date, TRandom& random) {
  const TYmd ymd = DecodeDate(date);
  const std::string year = std::to_string(ymd.Year);
  const int form = random.Below(100);
  if (form < 75) return TwoDigits(ymd.Day) + "-" + TwoDigits(ymd.Month) + "-" + year;
  if (form < 85) return year + "-" + TwoDigits(ymd.Month) + "-" + TwoDigits(ymd.Day);
  if (form < 95) return TwoDigits(ymd.Day) + "." + TwoDigits(ymd.Month) + "." + year;
  return std::to_string(ymd.Day) + "-" + std::to_string(ymd.Month) + "-" + year;
}

std::string MakeNaam(TRandom& random) {
  std::string naam = random.Pick(Achternamen);
  naam += ", ";
  naam += random.Pick(Voornamen);
  const std::string tussenvoegsel = random.Pick(Tussenvoegsels);
  if (!tussenvoegsel.empty()) naam += " " + tussenvoegsel;
  return naam;
}

std::vector<TPlayer> MakePlayers(int count, int startYear, bool shortNames, TRandom& random) {
  std::vector<TPlayer> players(static_cast<std::size_t>(count));
  std::unordered_set<std::int32_t> ids;
  for (int i = 0; i < count; ++i) {
    TPlayer& p = players[static_cast<std::size_t>(i)];
    // Most have a federation number; the others only a club number, too low to be shown.
    do {
      p.IdNr = random.Percent(60) ? 5000000 + random.Below(25000000) : 1000 + random.Below(4998999);
    } while (!ids.insert(p.IdNr).second);
    p.Naam = shortNames && i % ShortNameEvery == ShortNameEvery / 2 ? random.Pick(KorteNamen)
                                                                    : MakeNaam(random);
    // Youth players: 6 to 19 years old, a few without a known birth date.
    if (!random.Percent(5))
      p.GebDatum =
          EncodeDate(startYear - 6 - random.Below(14), 1 + random.Below(12), 1 + random.Below(28));
    p.Sterkte = 800 + random.Below(1400);
  }
  return players;
}

std::uint64_t PairKey(std::size_t a, std::size_t b) {
  if (a > b) std::swap(a, b);
  return (static_cast<std::uint64_t>(a) << 32) | b;
}

// Two players who both had one colour twice more than the other cannot both get the other.
bool KleurenPassen(const TPlayer& a, const TPlayer& b) {
  return !(a.KleurSaldo >= 2 && b.KleurSaldo >= 2) && !(a.KleurSaldo <= -2 && b.KleurSaldo <= -2);
}

// One Swiss round: players ordered by points, then strength; each takes the highest placed
// opponent that is still free, not met before and fit for the colours, looking a few places
// ahead.
std::vector<std::pair<std::size_t, std::size_t>>
PairRound(const std::vector<TPlayer>& players, const std::unordered_set<std::uint64_t>& met,
          TRandom& random) {
  constexpr std::size_t LookAhead = 12;
  std::vector<std::size_t> order(players.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (players[a].Punten2 != players[b].Punten2) return players[a].Punten2 > players[b].Punten2;
    if (players[a].Sterkte != players[b].Sterkte) return players[a].Sterkte > players[b].Sterkte;
    return a < b;
  });
  std::vector<bool> paired(players.size(), false);
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::size_t a = order[i];
    if (paired[a]) continue;
    std::size_t partner = order.size();
    std::size_t looked = 0;
    for (std::size_t j = i + 1; j < order.size() && looked < LookAhead; ++j) {
      if (paired[order[j]]) continue;
      if (partner == order.size()) partner = j;
      if (!met.contains(PairKey(a, order[j])) && KleurenPassen(players[a], players[order[j]])) {
        partner = j;
        break;
      }
      ++looked;
    }
    if (partner == order.size()) break;
    const std::size_t b = order[partner];
    paired[a] = paired[b] = true;
    // The one who had white more often gets black.
    const int balance = players[a].KleurSaldo - players[b].KleurSaldo;
    const bool aWit = balance == 0 ? random.Percent(50) : balance < 0;
    pairs.emplace_back(aWit ? a : b, aWit ? b : a);
  }
  return pairs;
}

// 1 white wins, 2 black wins, 3 draw, 4 and 5 a game not played out.
int Result(const TPlayer& wit, const TPlayer& zwart, TRandom& random) {
  const int roll = random.Below(1000);
  if (roll < 4) return 4;
  if (roll < 8) return 5;
  if (roll < 208) return 3;
  const double diff = wit.Sterkte - zwart.Sterkte + 30;
  const double witKans = 1.0 / (1.0 + std::pow(10.0, -diff / 400.0));
  return random.Below(1000) < witKans * 1000 ? 1 : 2;
}

void Score(TPlayer& wit, TPlayer& zwart, int uitslag) {
  if (uitslag == 1) wit.Punten2 += 2;
  if (uitslag == 2) zwart.Punten2 += 2;
  if (uitslag == 3) {
    ++wit.Punten2;
    ++zwart.Punten2;
  }
  ++wit.KleurSaldo;
  --zwart.KleurSaldo;
}

void AddLine(std::string& bytes, const std::string& line) {
  bytes += line;
  bytes += "\r\n";
}

} // namespace

TGeneratedToernooi GenerateToernooi(const TGeneratorOptions& options) {
  TRandom random(options.Seed);
  TGeneratedToernooi out;
  const int gameLines = std::max(options.GameLines, 0);
  // Daily rounds from at most 2024 on stay before 2100, where dates stop being valid.
  const int rondes = std::clamp(options.Rondes, 1, 20000);
  const int gamesPerRonde = (gameLines + rondes - 1) / rondes;

  const int startYear = 2005 + random.Below(20);
  const TDate start = EncodeDate(startYear, 1 + random.Below(12), 1 + random.Below(28));
  // Weekly rounds, or daily ones for a long event.
  const int interval = rondes > 50 ? 1 : 7;
  const TDate eind = start + interval * (rondes - 1);
  const std::string plaats = random.Pick(Plaatsen);

  AddLine(out.Bytes, "012;Jeugdtoernooi " + plaats + " " + std::to_string(startYear));
  AddLine(out.Bytes, "022;" + plaats);
  AddLine(out.Bytes, "032;NED");
  AddLine(out.Bytes, "042;" + DateText(start, random));
  AddLine(out.Bytes, "052;" + DateText(eind, random));
  AddLine(out.Bytes, std::string("102;") + random.Pick(Inzenders));
  AddLine(out.Bytes, std::string("122;") + random.Pick(Speeltempi));

  std::vector<TPlayer> players =
      MakePlayers(2 * gamesPerRonde, startYear, options.Findings, random);
  std::unordered_set<std::uint64_t> met;
  std::unordered_set<std::size_t> accepted;
  for (int r = 1; r <= rondes && out.GameLines < gameLines; ++r) {
    const TDate datum = start + interval * (r - 1);
    for (const auto& [w, z] : PairRound(players, met, random)) {
      if (out.GameLines == gameLines) break;
      TPlayer& wit = players[w];
      TPlayer& zwart = players[z];
      const int uitslag = Result(wit, zwart, random);
      const bool finding = options.Findings && out.GameLines % FindingEvery == FindingEvery / 2;
      const int kind = (out.GameLines / FindingEvery) % 3;

      std::string witId = std::to_string(wit.IdNr);
      std::string uitslagText = std::to_string(uitslag);
      if (finding && kind == 0) {
        witId.clear();
        ++out.MissingIds;
      } else if (finding && kind == 1) {
        uitslagText = random.Percent(50) ? "0" : "7";
        ++out.IllegalResults;
      }
      const std::string line =
          "900;" + std::to_string(r) + ";" + DateText(datum, random) + ";" + witId + ";" +
          std::to_string(zwart.IdNr) + ";" + uitslagText + ";" + wit.Naam + ";" + zwart.Naam + ";" +
          (wit.GebDatum == NoDate ? "" : DateText(wit.GebDatum, random)) + ";" +
          (zwart.GebDatum == NoDate ? "" : DateText(zwart.GebDatum, random));
      AddLine(out.Bytes, line);
      ++out.GameLines;
      met.insert(PairKey(w, z));
      if (finding && kind != 2) continue;

      Score(wit, zwart, uitslag);
      accepted.insert(w);
      accepted.insert(z);
      out.ShortNameSides += (wit.Naam.size() < 3 ? 1 : 0) + (zwart.Naam.size() < 3 ? 1 : 0);
      // The same line entered twice.
      if (finding && out.GameLines < gameLines) {
        AddLine(out.Bytes, line);
        ++out.GameLines;
        ++out.PlayedTwice;
      }
    }
  }
  out.Spelers = static_cast<int>(accepted.size());
  return out;
}
