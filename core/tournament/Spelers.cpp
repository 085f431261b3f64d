#include "core/tournament/Spelers.h"

#include "core/text/Cp1252.h"
#include "core/tournament/ListSortOrder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>
#include <utility>

namespace {

constexpr std::size_t KeyLength = 12;
constexpr std::size_t SurnameLength = 8;

bool IsKeyChar(char c) {
  return c == ',' || (c >= 'A' && c <= 'Z');
}

// Deleting the second-to-last character until `length` remain keeps the first length - 1
// characters and the last one.
void CutKeepingLast(std::string& text, std::size_t length) {
  if (text.size() > length) text.erase(length - 1, text.size() - length);
}

// Punctuation and symbols sort before digits, digits before letters.
int CharClass(unsigned char folded) {
  if (folded >= '0' && folded <= '9') return 1;
  if (folded >= 'A' && folded <= 'Z') return 2;
  if (folded == 0x8A || folded == 0x8C || folded == 0x8E || folded == 0x9F) return 2;
  if (folded >= 0xC0 && folded != 0xD7 && folded != 0xF7) return 2;
  return 0;
}

// The order of one character: its class, then its folded byte; one table lookup a character.
const std::array<std::uint16_t, 256>& CharWeights() {
  static const std::array<std::uint16_t, 256> weights = [] {
    std::array<std::uint16_t, 256> w{};
    for (int c = 0; c < 256; ++c) {
      const auto folded = static_cast<unsigned char>(UpperCp1252(static_cast<char>(c)));
      w[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(CharClass(folded) << 8 | folded);
    }
    return w;
  }();
  return weights;
}

std::uint64_t IdKey(std::int32_t idNr) {
  return static_cast<std::uint32_t>(idNr);
}

} // namespace

TSp::TSp(std::int32_t idNr, std::int32_t rating, std::string naam, TDate gebDatum)
    : IdNr(idNr), Rating(rating), Naam(std::move(naam)), GebDatum(gebDatum) {}

void TSp::AddPartij(TSp* tegenstander, const TGame* game, std::uint8_t kleur) {
  Partijen.push_back(TSpPartij{tegenstander, game, kleur});
}

double TSp::GetPunten() const {
  double punten = 0.0;
  for (const TSpPartij& partij : Partijen) {
    const TGameRec& rec = partij.Game->Rec;
    if (IdNr == rec.WitIdNr) {
      punten += UitslagPunten(rec.Uitslag, true);
    } else if (IdNr == rec.ZwartIdNr) {
      punten += UitslagPunten(rec.Uitslag, false);
    }
  }
  return punten;
}

std::string TSp::PartijTekst(const TSpPartij& partij) const {
  const bool wit = partij.Kleur == 0;
  // Built in place: the table asks for one text per game of every player.
  char buf[16];
  char* end = std::to_chars(buf, buf + 11, partij.Tegenstander->StartNr).ptr;
  *end++ = ' ';
  *end++ = wit ? 'w' : 'z';
  *end++ = ' ';
  const std::string_view teken = UitslagTeken(partij.Game->Rec.Uitslag, wit);
  std::string tekst;
  tekst.reserve(static_cast<std::size_t>(end - buf) + teken.size());
  tekst.append(buf, end);
  tekst += teken;
  return tekst;
}

double UitslagPunten(std::int32_t uitslag, bool wit) {
  switch (uitslag) {
  case 1:
    return wit ? 1.0 : 0.0;
  case 2:
    return wit ? 0.0 : 1.0;
  case 3:
    return 0.5;
  default:
    return 0.0;
  }
}

std::string_view UitslagTeken(std::int32_t uitslag, bool wit) {
  switch (uitslag) {
  case 1:
    return wit ? "1" : "0";
  case 2:
    return wit ? "0" : "1";
  case 3:
    return "=";
  case 4:
    return wit ? "=" : "0";
  case 5:
    return wit ? "0" : "=";
  default:
    return {};
  }
}

std::string SpSortKey(std::string_view naam) {
  // Keep ',' and the letters; other characters go, except that the filter never shrinks the
  // text below one character, so a name that would vanish keeps its last character.
  std::string gefilterd;
  for (std::size_t i = 0; i < naam.size(); ++i) {
    char c = naam[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    if (IsKeyChar(c) || (gefilterd.empty() && i + 1 == naam.size())) gefilterd += c;
  }

  std::string key;
  const std::size_t komma = gefilterd.find(',');
  if (komma != std::string::npos && komma > 0) {
    key = gefilterd.substr(0, komma);
    CutKeepingLast(key, SurnameLength);
    key.append(gefilterd, komma + 1);
  } else {
    key = std::move(gefilterd);
  }
  CutKeepingLast(key, KeyLength);
  key.resize(KeyLength, 'A');
  return key;
}

int CompareSortKeys(std::string_view a, std::string_view b) {
  const auto& weights = CharWeights();
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    const auto wa = weights[static_cast<unsigned char>(a[i])];
    const auto wb = weights[static_cast<unsigned char>(b[i])];
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

TSp& TSpList::Add(std::string key, std::unique_ptr<TSp> sp) {
  TSp& added = *sp;
  FItems.emplace_back(std::move(key), std::move(sp));
  FById.Insert(IdKey(added.IdNr), &added);
  return added;
}

void TSpList::Clear() {
  FById.Clear();
  FItems.clear();
}

void TSpList::Sort() {
  if (FItems.size() < 2) return;
  // The quicksort compares only through the keys' order, so it runs on their ranks.
  std::vector<int> byKey(FItems.size());
  std::iota(byKey.begin(), byKey.end(), 0);
  std::sort(byKey.begin(), byKey.end(),
            [this](int a, int b) { return CompareSortKeys(Key(a), Key(b)) < 0; });
  std::vector<int> ranks(FItems.size());
  int rank = 0;
  for (std::size_t k = 0; k < byKey.size(); ++k) {
    if (k > 0 && CompareSortKeys(Key(byKey[k - 1]), Key(byKey[k])) != 0) ++rank;
    ranks[static_cast<std::size_t>(byKey[k])] = rank;
  }

  std::vector<std::pair<std::string, std::unique_ptr<TSp>>> sorted;
  sorted.reserve(FItems.size());
  for (const int from : ListSortOrder(std::move(ranks)))
    sorted.push_back(std::move(FItems[static_cast<std::size_t>(from)]));
  FItems = std::move(sorted);

  FById.Clear();
  for (const auto& item : FItems) FById.Insert(IdKey(item.second->IdNr), item.second.get());
}

TSp* TSpList::GetSpeler(std::int32_t idNr) const {
  return FById.Find(IdKey(idNr));
}
