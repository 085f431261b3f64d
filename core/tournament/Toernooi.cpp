#include "core/tournament/Toernooi.h"

#include "core/reading/Fields.h"
#include "core/reading/InputText.h"
#include "core/reading/RegelVelden.h"
#include "core/reading/SizeLimits.h"
#include "core/reading/TextFile.h"
#include "core/text/Cp1252.h"
#include "core/text/Teksten.h"
#include "core/tournament/Controles.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/InvoerRijen.h"
#include "core/tournament/SpelerBudget.h"

#include <algorithm>
#include <limits>
#include <system_error>
#include <vector>

namespace {

// How many lines a load reads between two reports of its progress.
constexpr int ProgressRegels = 4096;

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

// A line too short to be read is named, as a record code that is no number is, when its first
// field holds text without a digit.
void AddKorteRegel(std::string_view line, int regel, TFoutLijst& fouten) {
  line = Trim(line);
  std::string_view code = Trim(line.substr(0, std::min(line.find_first_of(";\t"), line.size())));
  if (code.size() >= 2 && code.front() == '"' && code.back() == '"')
    code = code.substr(1, code.size() - 2);
  if (code.empty() ||
      std::any_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return;
  if (regel == 1 && code.starts_with("sep=")) return;
  fouten.AddFout(
      {TBevindingId::GeenRecordCode, regel, {Tekst::VeldRecordCode, KortVeldTekst(code)}});
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
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
  std::string().swap(FRegels);
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
  if (input.IsDecoded()) std::string().swap(file.Text);
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
  // A run that draws its last file's input table afterwards needs the room for it as well.
  FBudget = SpelerBudget(text.size(), FillInputGrid || KeepRegels);
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
  std::size_t utf8 = 0;
  // The findings of how the line's characters were read, up to its end's offset.
  const auto addCodering = [&](std::size_t upTo, int regel) {
    for (; utf8 < input.Utf8Regels.size() && input.Utf8Regels[utf8] <= upTo; ++utf8)
      fouten.AddFout({TBevindingId::RegelUtf8, regel, {}});
    for (; vervangen < input.Vervangen.size() && input.Vervangen[vervangen].Offset <= upTo;
         ++vervangen)
      fouten.AddFout(VervangenTekenBevinding(input.Vervangen[vervangen], input.Codering, regel));
  };
  std::string celRegel;
  std::vector<std::string_view> vervolg;
  TLineReader reader(text);
  for (std::string_view line; reader.Next(line);) {
    const int regel = ++FRegelCount;
    const auto start = static_cast<std::size_t>(line.data() - text.data());
    if (regel % ProgressRegels == 0) {
      if (OnProgress) OnProgress(start, text.size());
      if (Stop(inputGrid)) return false;
    }
    addCodering(start + line.size(), regel);
    vervolg.clear();
    if (line.find('"') != std::string_view::npos && JoinCel(reader, line, celRegel, vervolg))
      line = celRegel;
    // A cell's quotes do not count: a re-save with quoted cells skips the lines the original
    // skips.
    const TRegelQuotes quotes = line.size() > 4 ? PrepareLine(line, prepared) : TRegelQuotes{};
    const bool kort = line.size() - quotes.Quotes <= 4;
    if (kort) FSkippedRegels.Add(regel);
    if (!vervolg.empty()) {
      fouten.AddFout(
          {TBevindingId::CelOverRegels, regel, {std::to_string(regel + std::ssize(vervolg))}});
      // The lines joined into the cell keep their numbers and get no row of their own.
      for (const std::string_view deel : vervolg) {
        const int deelRegel = ++FRegelCount;
        FSkippedRegels.Add(deelRegel);
        addCodering(static_cast<std::size_t>(deel.data() - text.data()) + deel.size(), deelRegel);
      }
    }
    if (kort) {
      AddKorteRegel(line, regel, fouten);
      continue;
    }
    if (quotes.TabInCel) fouten.AddFout({TBevindingId::TabInCel, regel, {}});
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
    // Blanks before the code are trimmed with the line; a code of more than three digits is
    // one no program writes.
    const std::size_t voor = line.size() - TrimLeft(line).size();
    if (parsed && (voor > 0 || codeVeld.size() > 3 || !IsPlainGetal(codeVeld)))
      AddGetalVorm(std::string(line.substr(0, voor)) + std::string(codeVeld), code,
                   Tekst::VeldRecordCode, regel, fouten);
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
  addCodering(text.size(), laatste);
  fouten.TelFouten(input.VervangenVerder);
  if (input.NulOffset) fouten.AddFout({TBevindingId::NulTeken, laatste, {}});

  CheckHeaderRecords(fouten);
  if (FillInputGrid)
    FinishInputGrid(inputGrid, kopRegels);
  else if (KeepRegels)
    FRegels.assign(text);
  if (BuildSpelers(FBudget))
    CheckSpelerWaarden(fouten);
  else
    RefuseTooLarge(FBudget);
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

void TToernooi::DrawInputGrid(TCellTable& inputGrid) {
  if (FRegels.empty()) return;
  ::DrawInputGrid(FRegels, inputGrid);
  std::string().swap(FRegels);
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
