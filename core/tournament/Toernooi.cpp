#include "core/tournament/Toernooi.h"

#include "core/reading/Fields.h"
#include "core/reading/InputText.h"
#include "core/reading/SizeLimits.h"
#include "core/reading/TextFile.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/NaamBreedte.h"

#include <algorithm>
#include <limits>
#include <system_error>

namespace {

constexpr TDate Date20000101 = 36526;
constexpr TDate Date20050101 = 38353;
constexpr TDate Date20991231 = 73050;
constexpr TCellColor Red{255, 0, 0};
// How many lines a load reads between two reports of its progress.
constexpr int ProgressRegels = 4096;
// What the players, the tournament table and the report take in memory, measured: per player,
// per round (its entry and index slot, its header and date cells, its part of the rulers and
// the dates line), and per cell of a player's row in a round.
constexpr double SpelerBytes = 700;
constexpr double RondeBytes = 160;
constexpr double RondeCelBytes = 24;
// A game in memory: the record in its list and its two index entries, at most three quarters
// full and growing by doubling; a name too long to be held in place adds its own block.
constexpr double GameBytes = 200;
constexpr std::size_t NaamInPlaats = 15;
constexpr std::uintmax_t MiB = std::uintmax_t{1} << 20;

// The memory the games, players and rounds of a file may take: half of the eight times the
// file that every front end holds to, so that the text and the input table fit beside, and
// most of the 64 MiB above it, which a small file of many players needs and the input table of
// a small file does not.
std::uintmax_t SpelerBudget(std::size_t fileBytes) {
  return 4 * std::uintmax_t{fileBytes} + 40 * MiB;
}

double NaamBytes(const std::string& naam) {
  return naam.size() > NaamInPlaats ? static_cast<double>(naam.size() + 1) : 0;
}

double TableBytes(std::uintmax_t spelers, std::uintmax_t rondes) {
  return static_cast<double>(rondes) * RondeBytes +
         static_cast<double>(spelers) * (SpelerBytes + static_cast<double>(rondes) * RondeCelBytes);
}

static_assert(MaxVervangenBewaard >= TFoutLijst::MaxGetoond,
              "a line's replaced characters whose finding the list would show are kept");
static_assert(MaxTextFileSize < static_cast<std::uintmax_t>(NoLine),
              "a line of the largest file could be taken for no line");

// How the load of a decoded text ends: refused as not text, empty (also a file of only a
// byte-order mark), or read.
TLoadOutcome TextOutcome(const TInputText& input) {
  if (input.NotText) return TLoadOutcome::NotText;
  return input.Text().empty() ? TLoadOutcome::Empty : TLoadOutcome::Read;
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// A line as the reader works on it: trimmed, its fields separated by TAB, and one TAB
// appended; ";" and TAB both separate fields. A field wholly between double quotes, as
// spreadsheets write their cells, is read without them: a doubled quote inside is one quote and
// a ";" inside is text. Returns how many characters the quotes took. The buffer is reused from
// line to line.
std::size_t PrepareLine(std::string_view line, std::string& prepared) {
  line = Trim(line);
  if (line.find('"') == std::string_view::npos) {
    prepared.assign(line);
    std::replace(prepared.begin(), prepared.end(), ';', '\t');
    prepared += '\t';
    return 0;
  }
  const auto isSeparator = [](char c) { return c == ';' || c == '\t'; };
  prepared.clear();
  std::size_t quotes = 0;
  std::size_t pos = 0;
  for (;;) {
    std::size_t close = std::string_view::npos;
    if (pos < line.size() && line[pos] == '"') {
      for (std::size_t k = pos + 1; k < line.size(); ++k) {
        if (line[k] != '"') continue;
        if (k + 1 < line.size() && line[k + 1] == '"') {
          ++k;
          continue;
        }
        close = k;
        break;
      }
      if (close != std::string_view::npos && close + 1 < line.size() &&
          !isSeparator(line[close + 1]))
        close = std::string_view::npos;
    }
    if (close != std::string_view::npos) {
      for (std::size_t k = pos + 1; k < close; ++k) {
        prepared += line[k];
        if (line[k] == '"') {
          ++k;
          ++quotes;
        }
      }
      quotes += 2;
      pos = close + 1;
    } else {
      const std::size_t end = std::min(line.find_first_of(";\t", pos), line.size());
      prepared.append(line.substr(pos, end - pos));
      pos = end;
    }
    if (pos >= line.size()) break;
    prepared += '\t';
    ++pos;
  }
  prepared += '\t';
  return quotes;
}

// The rest of a header record as one field: separators dropped, trimmed, one TAB appended.
std::string JoinFields(std::string_view rest) {
  std::string joined;
  joined.reserve(rest.size());
  for (const char c : rest)
    if (c != '\t') joined += c;
  std::string result(Trim(joined));
  result += '\t';
  return result;
}

// Writes one input-table row and returns how many of its cells hold text after trimming. The
// buffer is reused from line to line.
int AddInputRow(TCellTable& grid, std::string_view prepared, std::string& cells) {
  const int row = grid.RowCount() - 1;
  cells = std::to_string(row + 1);
  cells += '\t';
  cells += prepared;
  grid.SetRowText(row, cells);
  int filled = 1;
  bool gameRecord = false;
  int col = 1;
  for (std::size_t tab = prepared.find('\t'); tab != std::string_view::npos;
       tab = prepared.find('\t')) {
    const std::string_view field = prepared.substr(0, tab);
    prepared.remove_prefix(tab + 1);
    if (col == 1) gameRecord = field == "900";
    if (!Trim(field).empty()) ++filled;
    // A game record without white id, black id or result.
    if (col >= 4 && col <= 6 && field.empty() && gameRecord) grid.SetCellColor(col, row, Red);
    ++col;
  }
  // The columns grow once for the row: a line of millions of fields would otherwise grow the
  // widths step by step, to twice what they hold.
  if (col >= grid.ColCount()) grid.SetColCount(col + 1);
  grid.SetRowCount(grid.RowCount() + 1);
  return filled;
}

// A date whose one-digit year was read as 200x, said with the date it became.
void AddJaarVerbreed(const TDatumVeld& datum, const char* veld, int regel, TFoutLijst& fouten) {
  if (datum.JaarVerbreed)
    fouten.AddFout(
        {TBevindingId::JaarVanEenCijfer,
         regel,
         {veld, KortVeldTekst(Trim(datum.Tekst)), FormatDate("yyyy-mm-dd", datum.Datum)}});
}

// A birth date stays empty in the report when its text is no date.
TDate ReadGebDatum(std::string_view& rest, const char* veld, int regel, TFoutLijst& fouten) {
  const TDatumVeld datum = ReadEigenDatumVeld(rest);
  const std::string_view tekst = Trim(datum.Tekst);
  if (datum.Datum == InvalidDate && !tekst.empty())
    fouten.AddFout({TBevindingId::GeenGeboortedatum, regel, {veld, KortVeldTekst(tekst)}});
  AddJaarVerbreed(datum, veld, regel, fouten);
  return datum.Datum;
}

bool HasKopRecord(const TIdNrList& idNrs) {
  for (const std::int32_t code : {12, 22, 32, 42, 52, 102, 122})
    if (idNrs.Has(code)) return true;
  return false;
}

bool IsHeaderDate(TDate date) {
  return date >= Date20050101 && date <= Date20991231;
}

// Half-way values go to the even neighbour.
int RoundHalfEven(int numerator, int denominator) {
  const int q = numerator / denominator;
  const int r = numerator % denominator;
  if (2 * r > denominator || (2 * r == denominator && q % 2 != 0)) return q + 1;
  return q;
}

} // namespace

TToernooi::TToernooi(TFouten& fouten, TCoreUI& ui) : FLijst(fouten), FUI(ui) {
  Clear();
}

void TToernooi::Clear() {
  Spelers.Clear();
  Games.Clear();
  ReportLines.clear();
  IdNrs.Clear();
  Rondes = {};
  FRondeIndex.Clear();
  Rec = TToernooiRec{};
  DatumsGeldig = false;
  FSourcePath.clear();
  FRegelCount = 0;
  FCodering = TTekstCodering::Cp1252;
  FSkippedRegels.Clear();
  FTeGroot.reset();
  FBudget = std::numeric_limits<std::uintmax_t>::max();
  FNodig = 0;
  FTeVeel = false;
}

int TToernooi::GetRondeIndex(std::int32_t rondeNr) const {
  return static_cast<int>(
      FRondeIndex.Find(rondeNr, [this](std::uint32_t i) { return Rondes[i].RondeNr; }));
}

std::optional<int> TToernooi::InputRow(int regel) const {
  if (regel < 1 || regel > FRegelCount) return std::nullopt;
  if (FSkippedRegels.Has(regel)) return std::nullopt;
  return regel - 1 - FSkippedRegels.CountBefore(regel);
}

void TToernooi::AddRonde(const TRondeRec& ronde) {
  Rondes.push_back(ronde);
  FRondeIndex.Insert(ronde.RondeNr, static_cast<std::uint32_t>(Rondes.size() - 1),
                     [this](std::uint32_t i) { return Rondes[i].RondeNr; });
}

TLoadResult TToernooi::LoadFile(const std::filesystem::path& path, TCellTable& inputGrid,
                                bool batch) {
  StartLoad(inputGrid);
  TFoutLijst fouten(FLijst, batch);
  TTextFile file = ReadTextFile(path);
  TLoadResult result = file.Result;
  TInputText input = DecodeInput(file.Text);
  // A decoded text no longer needs the bytes it came from.
  if (input.Codering != TTekstCodering::Cp1252) std::string().swap(file.Text);
  if (result.Read()) result.Outcome = TextOutcome(input);
  if (!result.Read()) input = {};
  if (ReadText(path, input, inputGrid, fouten)) FinishLoad(fouten, FileExists(path));
  return Ended(result);
}

TLoadResult TToernooi::LoadBytes(const std::filesystem::path& path, std::string_view bytes,
                                 TCellTable& inputGrid, bool batch) {
  StartLoad(inputGrid);
  TFoutLijst fouten(FLijst, batch);
  if (TooLargeToRead(bytes.size())) return {TLoadOutcome::TooLarge, bytes.size()};
  TInputText input = DecodeInput(bytes);
  TLoadResult result{TextOutcome(input), bytes.size()};
  if (!result.Read()) input = {};
  if (ReadText(path, input, inputGrid, fouten)) FinishLoad(fouten, true);
  return Ended(result);
}

TLoadResult TToernooi::Ended(TLoadResult result) const {
  if (FStopped) result.Outcome = TLoadOutcome::Stopped;
  result.Naam = Rec.Naam;
  result.Fouten = FFouten;
  result.Codering = FCodering;
  return result;
}

void TToernooi::StartLoad(TCellTable& inputGrid) {
  Clear();
  inputGrid.ClearCells();
  FStopped = false;
  FFouten.reset();
}

bool TToernooi::ReadText(const std::filesystem::path& path, const TInputText& input,
                         TCellTable& inputGrid, TFoutLijst& fouten) {
  const std::string_view text = input.Text();
  // Space is made for the lines the reader keeps; shorter ones are passed over. The games'
  // index grows with the games accepted: a file of short lines or of rejected game records
  // would otherwise reserve an index many times its own size.
  std::size_t kept = 0;
  int regels = 0;
  TLineReader counter(text);
  for (std::string_view line; counter.Next(line); ++regels)
    if (line.size() > 4) ++kept;
  FSkippedRegels.Reserve(regels);

  inputGrid.SetColCount(3);
  inputGrid.SetRowCount(1);
  Rec.BestandsNaam = FileNameText(path);
  Rec.Federatie = "NED";
  FBudget = SpelerBudget(text.size());
  FSourcePath = path;
  FRegelCount = 0;
  FCodering = input.Codering;

  // Whether each row is a header record's: its text spans the table.
  std::vector<bool> kopRegels;
  if (FillInputGrid) {
    kopRegels.reserve(kept);
    // Each row holds its number and a TAB beside the line's own text.
    const std::size_t nummer = std::to_string(kept).size() + 1;
    inputGrid.ReserveRows(static_cast<int>(kept) + 1, text.size() + kept * nummer);
  }
  std::string prepared;
  std::string cells;
  std::size_t vervangen = 0;
  // The replaced characters up to the offset, as findings on the line.
  const auto addVervangen = [&](std::size_t upTo, int regel) {
    for (; vervangen < input.Vervangen.size() && input.Vervangen[vervangen].Offset <= upTo;
         ++vervangen)
      fouten.AddFout(VervangenTekenBevinding(input.Vervangen[vervangen], input.Codering, regel));
  };
  TLineReader reader(text);
  for (std::string_view line; reader.Next(line);) {
    const int regel = ++FRegelCount;
    const auto start = static_cast<std::size_t>(line.data() - text.data());
    if (regel % ProgressRegels == 0) {
      if (OnProgress) OnProgress(start, text.size());
      if (Stop(inputGrid)) return false;
    }
    addVervangen(start + line.size(), regel);
    // A cell's quotes do not count: a re-save with quoted cells skips the lines the original
    // skips.
    const std::size_t quotes = line.size() > 4 ? PrepareLine(line, prepared) : 0;
    if (line.size() - quotes <= 4) {
      FSkippedRegels.Add(regel);
      continue;
    }
    if (FillInputGrid) {
      kopRegels.push_back(AddInputRow(inputGrid, prepared, cells) == 3);
    }

    std::string_view rest = prepared;
    const std::string_view codeVeld = CutTabField(rest);
    const std::optional<std::int32_t> parsed = ParseIntField(codeVeld);
    const std::int32_t code = parsed.value_or(0);
    // A spreadsheet's first line may name its separator.
    if (!codeVeld.empty() && !parsed && !(regel == 1 && codeVeld.starts_with("sep=")))
      fouten.AddFout(
          {TBevindingId::GeenRecordCode, regel, {Tekst::VeldRecordCode, KortVeldTekst(codeVeld)}});
    std::string joined;
    if (code != 0 && code != 900) {
      joined = JoinFields(rest);
      rest = joined;
    }
    if (!IdNrs.Has(code)) IdNrs.Add(code, regel, code == 900 ? std::string_view() : Trim(rest));

    switch (code) {
    case 12: {
      Rec.Naam = std::string(CutTabField(rest));
      const std::size_t length = Rec.Naam.size();
      if (length < 5)
        fouten.AddFout({TBevindingId::ToernooinaamTeKort, regel, {}});
      else if (length > 40)
        fouten.AddFout({TBevindingId::ToernooinaamTeLang, regel, {std::to_string(length)}});
      break;
    }
    case 22:
      Rec.Plaats = std::string(CutTabField(rest));
      break;
    case 32:
      Rec.Federatie = std::string(CutTabField(rest));
      break;
    case 102:
      Rec.Inzender = std::string(CutTabField(rest));
      break;
    case 122:
      Rec.Speeltempo = std::string(CutTabField(rest));
      break;
    case 42: {
      const TDatumVeld datum = ReadDatumVeld(rest);
      Rec.StartDatum = datum.Datum;
      if (!IsHeaderDate(Rec.StartDatum))
        fouten.AddFout({TBevindingId::StartdatumOngeldig, regel, {}});
      AddJaarVerbreed(datum, Tekst::VeldStartdatum, regel, fouten);
      break;
    }
    case 52: {
      const TDatumVeld datum = ReadDatumVeld(rest);
      Rec.EindDatum = datum.Datum;
      if (!IsHeaderDate(Rec.EindDatum))
        fouten.AddFout({TBevindingId::EinddatumOngeldig, regel, {}});
      AddJaarVerbreed(datum, Tekst::VeldEinddatum, regel, fouten);
      DatumsGeldig = IdNrs.Has(42) && IdNrs.Has(52) && Rec.StartDatum >= Date20000101 &&
                     Rec.EindDatum >= Date20000101;
      if (DatumsGeldig && Rec.StartDatum > Rec.EindDatum)
        fouten.AddFout({TBevindingId::StartNaEind, regel, {}});
      break;
    }
    case 900:
      ReadGame(rest, regel, fouten);
      break;
    default:
      break;
    }
  }

  if (OnProgress) OnProgress(text.size(), text.size());
  if (FRegelCount == 0 || Stop(inputGrid)) return false;
  // What follows the last line break stands on a line of its own.
  const int laatste = FRegelCount + (text.ends_with('\r') || text.ends_with('\n') ? 1 : 0);
  addVervangen(text.size(), laatste);
  fouten.TelFouten(input.VervangenVerder);
  if (input.NulOffset) fouten.AddFout({TBevindingId::NulTeken, laatste, {}});

  CheckHeaderRecords(fouten);
  if (FillInputGrid) FinishInputGrid(inputGrid, kopRegels);
  if (!BuildSpelers(FBudget)) RefuseTooLarge(FBudget);
  CheckRondeDatums(fouten);
  for (const TGame& game : Games) {
    if (game.Rec.WitNaam.size() < 3)
      fouten.AddFout({TBevindingId::NaamTeKort, game.Rec.RegelNr, {}});
    if (game.Rec.ZwartNaam.size() < 3)
      fouten.AddFout({TBevindingId::NaamTeKort, game.Rec.RegelNr, {}});
  }
  return true;
}

bool TToernooi::Stop(TCellTable& inputGrid) {
  if (!FUI.StopRequested()) return false;
  FStopped = true;
  Discard(inputGrid);
  return true;
}

void TToernooi::Discard(TCellTable& inputGrid) {
  Clear();
  inputGrid.ClearCells();
  inputGrid.SetRowCount(1);
}

void TToernooi::FinishLoad(TFoutLijst& fouten, bool stillThere) {
  FFouten = fouten.FoutTeller();
  fouten.AddBestand(FSourcePath, stillThere ? "" : Tekst::NietGevonden);
  // Fitting once here gives the same widths as fitting after every game record.
  if (FitErrorGrid) FLijst.Grid().FitColumnWidths(true, 1);
}

void TToernooi::ReadGame(std::string_view rest, int regel, TFoutLijst& fouten) {
  TGameRec rec;
  rec.RegelNr = regel;
  const std::string_view rondeVeld = CutTabField(rest);
  const std::optional<std::int32_t> rondeNr = ParseIntField(rondeVeld);
  rec.RondeNr = rondeNr.value_or(0);
  if (!rondeNr && !Trim(rondeVeld).empty())
    fouten.AddFout(
        {TBevindingId::GeenRondeNr, regel, {Tekst::VeldRondeNr, KortVeldTekst(rondeVeld)}});
  // An empty round date takes the next field's text, whose shift the id and result checks
  // then show.
  const TDatumVeld rondeDatum = ReadDatumVeld(rest);
  rec.RondeDatum = rondeDatum.Datum;
  AddJaarVerbreed(rondeDatum, Tekst::VeldRondedatum, regel, fouten);
  rec.WitIdNr = ReadIntField(rest);
  rec.ZwartIdNr = ReadIntField(rest);
  rec.Uitslag = ReadIntField(rest);
  rec.WitNaam = std::string(CutTabField(rest));
  rec.ZwartNaam = std::string(CutTabField(rest));
  // Each birth date is its own player's, also when the other one is empty.
  rec.WitGebDatum = ReadGebDatum(rest, Tekst::VeldGebDatumWit, regel, fouten);
  rec.ZwartGebDatum = ReadGebDatum(rest, Tekst::VeldGebDatumZwart, regel, fouten);

  // Every game record names its round, also one that is rejected below.
  const int index = GetRondeIndex(rec.RondeNr);
  if (index == -1) {
    if (Past(RondeBytes)) AddRonde({rec.RondeNr, rec.RondeDatum, regel});
  } else if (TRondeRec& ronde = Rondes[static_cast<std::size_t>(index)];
             rec.RondeDatum > ronde.Datum && rec.RondeDatum >= Date20050101)
    ronde.Datum = rec.RondeDatum;

  bool rejected = false;
  if (rec.WitIdNr < 1 || rec.ZwartIdNr < 1) {
    fouten.AddFout({TBevindingId::IdNrOntbreekt, regel, {}});
    rejected = true;
  }
  if (rec.Uitslag < 1 || rec.Uitslag > 5) {
    fouten.AddFout({TBevindingId::UitslagOngeldig, regel, {}});
    rejected = true;
  }
  if (const TGame* game = Games.GetSpGame(rec.WitIdNr, rec.RondeNr)) {
    fouten.AddFout({TBevindingId::WitAlGespeeld, regel, {std::to_string(game->Rec.RegelNr)}});
    rejected = true;
  }
  if (const TGame* game = Games.GetSpGame(rec.ZwartIdNr, rec.RondeNr)) {
    fouten.AddFout({TBevindingId::ZwartAlGespeeld, regel, {std::to_string(game->Rec.RegelNr)}});
    rejected = true;
  }
  if (DatumsGeldig && (rec.RondeDatum < Rec.StartDatum || rec.RondeDatum > Rec.EindDatum))
    fouten.AddFout({TBevindingId::RondedatumBuiten, regel, {}});
  if (!rejected && Past(GameBytes + NaamBytes(rec.WitNaam) + NaamBytes(rec.ZwartNaam)))
    Games.Add(std::move(rec));
}

bool TToernooi::Past(double bytes) {
  if (FTeVeel || FNodig + bytes > static_cast<double>(FBudget)) {
    FTeVeel = true;
    return false;
  }
  FNodig += bytes;
  return true;
}

void TToernooi::CheckHeaderRecords(TFoutLijst& fouten) const {
  const auto checkText = [&](std::int32_t code, TBevindingId id) {
    const std::optional<TIdNr> idNr = IdNrs.GetIdNr(code);
    if (!idNr)
      fouten.AddFout({id, NoLine, {}});
    else if (idNr->Tekst.empty())
      fouten.AddFout({id, idNr->RegelNr, {}});
  };
  checkText(22, TBevindingId::PlaatsOntbreekt);
  checkText(32, TBevindingId::FederatieOntbreekt);
  if (!IdNrs.Has(42)) fouten.AddFout({TBevindingId::StartdatumOntbreekt, NoLine, {}});
  if (!IdNrs.Has(52)) fouten.AddFout({TBevindingId::EinddatumOntbreekt, NoLine, {}});
  checkText(102, TBevindingId::InzenderOntbreekt);
  checkText(122, TBevindingId::SpeeltempoOntbreekt);
  if (!IdNrs.Has(900) && HasKopRecord(IdNrs))
    fouten.AddFout({TBevindingId::GeenPartijen, NoLine, {}});
}

void TToernooi::FinishInputGrid(TCellTable& grid, const std::vector<bool>& kopRegels) const {
  if (grid.RowCount() > 1) grid.SetRowCount(grid.RowCount() - 1);
  grid.FitColumnWidths(true, 1);
  if (grid.ColWidths(2) > grid.ColWidths(6))
    grid.SetColWidths(2, RoundHalfEven(grid.ColWidths(6) * 3, 2));
  // A header record's text spans the table: a row of three filled cells. The rows were written
  // by this load alone, so the count of filled cells kept while writing them is the count the
  // table would give.
  const int rows = std::min(grid.RowCount(), static_cast<int>(kopRegels.size()));
  for (int row = 0; row < rows; ++row)
    if (kopRegels[static_cast<std::size_t>(row)]) grid.MergeRange(2, row, grid.ColCount() - 2, 1);
}

void TToernooi::BuildSpelers() {
  BuildSpelers(std::numeric_limits<std::uintmax_t>::max());
}

bool TToernooi::BuildSpelers(std::uintmax_t budget) {
  const std::uintmax_t rondes = Rondes.size();
  // The games and rounds were counted as they were read.
  if (FTeVeel || FNodig > static_cast<double>(budget)) return false;
  // The players are counted as they are made: a file of many new players in many rounds
  // stops here, before it takes more than the budget. A name is held by the player and by the
  // table.
  const double perSpeler = TableBytes(1, rondes) - TableBytes(0, rondes);
  double nodig = FNodig;
  // Every player is found or made here, and ids are unique in the list, so the players of
  // each game are remembered for the pairing step instead of being looked up again.
  const auto speler = [&](std::int32_t idNr, const std::string& naam, TDate gebDatum) {
    if (TSp* sp = Spelers.GetSpeler(idNr)) return sp;
    nodig += perSpeler + 2 * static_cast<double>(naam.size());
    return &Spelers.Add(SpSortKey(naam), std::make_unique<TSp>(idNr, 0, naam, gebDatum));
  };
  std::vector<std::pair<TSp*, TSp*>> paren;
  paren.reserve(static_cast<std::size_t>(Games.Count()));
  for (const TGame& game : Games) {
    TSp* wit = speler(game.Rec.WitIdNr, game.Rec.WitNaam, game.Rec.WitGebDatum);
    TSp* zwart = speler(game.Rec.ZwartIdNr, game.Rec.ZwartNaam, game.Rec.ZwartGebDatum);
    paren.emplace_back(wit, zwart);
    if (nodig > static_cast<double>(budget)) {
      Spelers.Clear();
      return false;
    }
  }
  Spelers.Sort();
  for (int i = 0; i < Spelers.Count(); ++i) Spelers[i].StartNr = i + 1;
  // Each player's games are counted first, so that every list is allocated once.
  std::vector<std::size_t> partijen(static_cast<std::size_t>(Spelers.Count()));
  for (const auto& [wit, zwart] : paren) {
    ++partijen[static_cast<std::size_t>(wit->StartNr - 1)];
    ++partijen[static_cast<std::size_t>(zwart->StartNr - 1)];
  }
  for (int i = 0; i < Spelers.Count(); ++i)
    Spelers[i].Partijen.reserve(partijen[static_cast<std::size_t>(i)]);
  std::size_t i = 0;
  for (const TGame& game : Games) {
    const auto [wit, zwart] = paren[i++];
    wit->AddPartij(zwart, &game, 0);
    zwart->AddPartij(wit, &game, 1);
  }
  return true;
}

void TToernooi::RefuseTooLarge(std::uintmax_t budget) {
  // The players as the build would make them, by their ids alone: each with the name of the
  // game side where its id first appears.
  struct TKant {
    std::int32_t IdNr;
    std::uint32_t Volgorde;
  };
  std::vector<TKant> kanten;
  kanten.reserve(2 * static_cast<std::size_t>(Games.Count()));
  for (const TGame& game : Games) {
    kanten.push_back({game.Rec.WitIdNr, static_cast<std::uint32_t>(kanten.size())});
    kanten.push_back({game.Rec.ZwartIdNr, static_cast<std::uint32_t>(kanten.size())});
  }
  std::sort(kanten.begin(), kanten.end(), [](const TKant& a, const TKant& b) {
    return a.IdNr != b.IdNr ? a.IdNr < b.IdNr : a.Volgorde < b.Volgorde;
  });
  int spelers = 0;
  std::uintmax_t overNaam = 0;
  for (std::size_t i = 0; i < kanten.size(); ++i) {
    if (i > 0 && kanten[i].IdNr == kanten[i - 1].IdNr) continue;
    ++spelers;
    const TGameRec& rec = Games[static_cast<int>(kanten[i].Volgorde / 2)].Rec;
    overNaam += OverNaam(kanten[i].Volgorde % 2 == 0 ? rec.WitNaam : rec.ZwartNaam);
  }
  FTeGroot = TSpelersTeGroot{spelers, overNaam, budget};
}

void TToernooi::CheckRondeDatums(TFoutLijst& fouten) const {
  // Rounds in ascending number, each with its games in list order: one sort of the games keeps
  // a file of many rounds from allocating a node for each.
  std::vector<const TGame*> games;
  games.reserve(static_cast<std::size_t>(Games.Count()));
  for (const TGame& game : Games) games.push_back(&game);
  std::stable_sort(games.begin(), games.end(),
                   [](const TGame* a, const TGame* b) { return a->Rec.RondeNr < b->Rec.RondeNr; });
  TDate referentie = 0;
  for (std::size_t i = 0; i < games.size(); ++i) {
    const TGame* game = games[i];
    if (i > 0 && games[i - 1]->Rec.RondeNr != game->Rec.RondeNr) referentie = 0;
    if (game->Rec.RondeDatum == referentie) continue;
    if (referentie == 0)
      referentie = game->Rec.RondeDatum;
    else
      fouten.AddFout({TBevindingId::MeerDatumsPerRonde, game->Rec.RegelNr, {}});
  }
}
