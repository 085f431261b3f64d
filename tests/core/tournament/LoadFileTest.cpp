#include "core/reading/DateValue.h"
#include "core/report/ReportColumns.h"
#include "core/report/ReportFile.h"
#include "core/report/ToernooiGrid.h"
#include "support/HeldFile.h"
#include "support/LoadRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string Plaats = "022 Naam Toernooiplaats ontbreekt.";
const std::string Federatie = "032 Federatie naam ontbreekt (NED)";
const std::string Start = "042 Startdatum ontbreekt.";
const std::string Eind = "052 Einddatum ontbreekt.";
const std::string Inzender = "102 Inzender ontbreekt";
const std::string Tempo = "122 Speeltempo ontbreekt.";
const std::string GeenPartijen =
    "Het bestand heeft geen partijen (900): het rapport heeft geen spelers";

std::vector<TErrorRow> MissingHeaders() {
  return {{"", Plaats, ""}, {"", Federatie, ""}, {"", Start, ""},
          {"", Eind, ""},   {"", Inzender, ""},  {"", Tempo, ""}};
}

std::vector<TErrorRow> Concat(std::vector<TErrorRow> a, const std::vector<TErrorRow>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

fs::path WriteFile(const TTempDir& dir, const std::string& name, const std::string& bytes) {
  const fs::path path = dir / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// Each fixture's error list in full: line, message, and for the summary row the count.
struct TErrorListCase {
  const char* File;
  std::vector<TErrorRow> Want;
};

TEST(LoadFile, ListsEveryFindingOfEachFixture) {
  const TErrorListCase cases[] = {
      {"complete_tournament.csv", {{"", "complete_tournament.csv", "0"}}},
      {"short_lines.csv",
       {{"3", "Recordcode \"abc\" is geen getal: de regel is niet gelezen", ""},
        {"", Plaats, ""},
        {"", Federatie, ""},
        {"", Eind, ""},
        {"", Inzender, ""},
        {"", Tempo, ""},
        {"", GeenPartijen, ""},
        {"", "short_lines.csv", "7"}}},
      {"record_code_0900.csv",
       Concat({{"2", "Speler Idnr ontbreekt.", ""},
               {"3", "Recordcode \"0900\" gelezen als 900", ""},
               {"3", "Speler Idnr ontbreekt.", ""},
               {"4", "Speler Idnr ontbreekt.", ""},
               {"4", "Niet legale uitslag.", ""}},
              Concat(MissingHeaders(), {{"", "record_code_0900.csv", "11"}}))},
      {"two_name_records.csv",
       Concat(
           {{"1", "Toernooinaam is te kort", ""},
            {"2", "Lengte toernooinaam (47) > 40 karakters", ""}},
           Concat(MissingHeaders(), {{"", GeenPartijen, ""}, {"", "two_name_records.csv", "9"}}))},
      {"empty_header_values.csv",
       {{"2", Plaats, ""},
        {"3", Federatie, ""},
        {"", Inzender, ""},
        {"6", Tempo, ""},
        {"", GeenPartijen, ""},
        {"", "empty_header_values.csv", "5"}}},
      {"end_date_before_start_date_record.csv",
       {{"", "end_date_before_start_date_record.csv", "0"}}},
      {"start_after_end.csv",
       {{"5", "Startdatum ligt na de einddatum", ""},
        {"8", "Rondedatum ligt niet tussen de start- en einddatum", ""},
        {"", "start_after_end.csv", "2"}}},
      {"rejected_games_move_round_dates.csv",
       Concat({{"3", "Speler Idnr ontbreekt.", ""},
               {"4", "Speler Idnr ontbreekt.", ""},
               {"5", "Speler Idnr ontbreekt.", ""},
               {"6", "Niet legale uitslag.", ""}},
              Concat(MissingHeaders(), {{"8", "Meer dan 1 datum/ronde", ""},
                                        {"", "rejected_games_move_round_dates.csv", "11"}}))},
      {"round_dates.csv",
       Concat({{"5",
                "Rondedatum \"31-02-2009\" is geen geldige datum: de partij heeft geen rondedatum",
                ""}},
              Concat(MissingHeaders(), {{"4", "Meer dan 1 datum/ronde", ""},
                                        {"7", "Meer dan 1 datum/ronde", ""},
                                        {"", "round_dates.csv", "9"}}))},
      {"played_twice_in_round.csv",
       {{"11", "Witspeler heeft in deze ronde reeds gespeeld (Regel 6)", ""},
        {"12", "Zwartspeler heeft in deze ronde reeds gespeeld (Regel 8)", ""},
        {"13", "Witspeler heeft in deze ronde reeds gespeeld (Regel 7)", ""},
        {"13", "Zwartspeler heeft in deze ronde reeds gespeeld (Regel 8)", ""},
        {"", Start, ""},
        {"", Eind, ""},
        {"", "played_twice_in_round.csv", "6"}}},
      {"short_names.csv", Concat(MissingHeaders(), {{"2", "Naam heeft minder dan 3 karakters", ""},
                                                    {"3", "Naam heeft minder dan 3 karakters", ""},
                                                    {"4", "Naam heeft minder dan 3 karakters", ""},
                                                    {"", "short_names.csv", "9"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.File);
    TLoadRun run;
    run.Load(LoadData(c.File));
    EXPECT_EQ(run.Errors(), c.Want);
    // Column 0 numbers the entries, and the open row stays empty.
    for (int r = 1; r < run.ErrorGrid.RowCount() - 1; ++r)
      EXPECT_EQ(run.ErrorGrid.GetCell(0, r), std::to_string(r));
    EXPECT_EQ(run.ErrorGrid.GetCell(2, run.ErrorGrid.RowCount() - 1), "");
    EXPECT_EQ(run.Status(), c.Want.back().Fout + " fout");
  }
}

TEST(LoadFile, BatchListsOnlyTheSummaryRowOfEachFile) {
  TLoadRun run;
  run.Load(LoadData("missing_start_date.csv"), true);
  run.Load(LoadData("record_code_0900.csv"), true);
  run.Load(LoadData("complete_tournament.csv"), true);
  EXPECT_EQ(run.Errors(), (std::vector<TErrorRow>{{"", "missing_start_date.csv", "2"},
                                                  {"", "record_code_0900.csv", "11"},
                                                  {"", "complete_tournament.csv", "0"}}));
  EXPECT_EQ(run.Status(), "0 fout");
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(run.ErrorGrid.GetCell(0, r), std::to_string(r));
}

TEST(LoadFile, SingleFileListsMissingStartDateWithoutLine) {
  TLoadRun run;
  run.Load(LoadData("missing_start_date.csv"));
  EXPECT_EQ(run.Errors(),
            (std::vector<TErrorRow>{
                {"", Start, ""}, {"", GeenPartijen, ""}, {"", "missing_start_date.csv", "2"}}));
}

TEST(LoadFile, ReadsHeaderValuesGamesAndRounds) {
  TLoadRun run;
  run.Load(LoadData("complete_tournament.csv"));
  const TToernooi& t = run.Toernooi;
  EXPECT_EQ(t.Rec.Naam, "Jeugdtoernooi Noord");
  EXPECT_EQ(t.Rec.Plaats, "Assen");
  EXPECT_EQ(t.Rec.Federatie, "NED");
  EXPECT_EQ(t.Rec.Inzender, "J. de Vries");
  EXPECT_EQ(t.Rec.Speeltempo, "60 min");
  EXPECT_EQ(t.Rec.BestandsNaam, "complete_tournament.csv");
  EXPECT_EQ(t.Rec.StartDatum, EncodeDate(2009, 10, 3));
  EXPECT_EQ(t.Rec.EindDatum, EncodeDate(2009, 10, 10));
  EXPECT_TRUE(t.DatumsGeldig);
  ASSERT_EQ(t.Games.Count(), 3);
  const TGameRec& g = t.Games[0].Rec;
  EXPECT_EQ(g.RegelNr, 8);
  EXPECT_EQ(g.WitIdNr, 101);
  EXPECT_EQ(g.ZwartIdNr, 102);
  EXPECT_EQ(g.Uitslag, 1);
  EXPECT_EQ(g.WitNaam, "Bakker, Anna");
  EXPECT_EQ(g.WitGebDatum, EncodeDate(1998, 5, 12));
  EXPECT_EQ(t.Games[1].Rec.ZwartGebDatum, NoDate);
  ASSERT_EQ(t.Rondes.size(), 2u);
  EXPECT_EQ(t.Rondes[1].RondeNr, 2);
  EXPECT_EQ(t.Rondes[1].Datum, EncodeDate(2009, 10, 10));
  EXPECT_EQ(t.Rondes[1].RegelNr, 10);
  EXPECT_EQ(t.GetRondeIndex(2), 1);
  EXPECT_EQ(t.GetRondeIndex(7), -1);
  const int codes[] = {12, 22, 32, 42, 52, 102, 122, 900};
  ASSERT_EQ(t.IdNrs.Count(), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(t.IdNrs[i].Code, codes[i]);
    EXPECT_EQ(t.IdNrs[i].RegelNr, i + 1);
  }
  EXPECT_EQ(t.IdNrs.GetIdNr(22)->Tekst, "Assen");
  EXPECT_EQ(t.IdNrs.GetIdNr(900)->Tekst, "");
}

TEST(LoadFile, BuildsSortedNumberedPlayersWithPoints) {
  TLoadRun run;
  run.Load(LoadData("complete_tournament.csv"));
  struct {
    const char* Naam;
    int IdNr;
    double Punten;
  } const want[] = {{"Bakker, Anna", 101, 1.0},
                    {"Mulder, Daan", 104, 0.5},
                    {"Smit, Carla", 103, 1.5},
                    {"Visser, Bram", 102, 0.0}};
  ASSERT_EQ(run.Toernooi.GetSpelerCount(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(want[i].Naam);
    const TSp& sp = run.Toernooi.Spelers[i];
    EXPECT_EQ(sp.Naam, want[i].Naam);
    EXPECT_EQ(sp.IdNr, want[i].IdNr);
    EXPECT_EQ(sp.StartNr, i + 1);
    EXPECT_EQ(sp.Rating, 0);
    EXPECT_EQ(sp.GetPunten(), want[i].Punten);
  }
}

TEST(LoadFile, FillsTheInputTableWithMergedHeaderRows) {
  TLoadRun run;
  run.Load(LoadData("complete_tournament.csv"));
  const TCellTable& grid = run.InputGrid;
  EXPECT_EQ(grid.RowCount(), 10);
  // A game line has ten fields after the running number; one more column stays open.
  EXPECT_EQ(grid.ColCount(), 12);
  EXPECT_EQ(grid.GetCell(0, 0), "1");
  EXPECT_EQ(grid.GetCell(1, 0), "012");
  EXPECT_EQ(grid.GetCell(2, 0), "Jeugdtoernooi Noord");
  EXPECT_EQ(grid.MergeRole(5, 0).Kind, TMergeRole::Member);
  EXPECT_EQ(grid.GetCell(5, 0), "Jeugdtoernooi Noord");
  const std::vector<std::string> game = {"8",          "900",          "1",
                                         "03-10-2009", "101",          "102",
                                         "1",          "Bakker, Anna", "Visser, Bram",
                                         "12-05-1998", "01-02-1999"};
  for (int c = 0; c < static_cast<int>(game.size()); ++c) EXPECT_EQ(grid.GetCell(c, 7), game[c]);
  EXPECT_EQ(grid.MergeRole(5, 7).Kind, TMergeRole::None);
}

TEST(LoadFile, SkipsLinesOfFourCharactersButCountsThem) {
  TLoadRun run;
  run.Load(LoadData("short_lines.csv"));
  EXPECT_EQ(run.InputGrid.RowCount(), 2);
  EXPECT_EQ(run.InputGrid.GetCell(0, 1), "2");
  EXPECT_EQ(run.InputGrid.GetCell(1, 1), "042");
  EXPECT_EQ(run.Toernooi.IdNrs.GetIdNr(42)->RegelNr, 5);
  EXPECT_FALSE(run.Toernooi.IdNrs.Has(22));
  EXPECT_EQ(run.Toernooi.IdNrs.Count(), 2);
}

TEST(LoadFile, KnowsWhichInputRowShowsEachLine) {
  TLoadRun run;
  // Lines 2 and 5 are 4 bytes or shorter and get no row.
  run.Toernooi.LoadBytes("Regels.csv",
                         "012;Voorbeeldtoernooi\r\n\r\n022;Voorbeeldstad\r\n032;NED\r\n"
                         "abcd\r\n042;03-10-2009\r\n",
                         run.InputGrid, false);
  const struct {
    int regel;
    std::optional<int> row;
    const char* code;
  } cases[] = {{0, std::nullopt, ""}, {1, 0, "012"},        {2, std::nullopt, ""},
               {3, 1, "022"},         {4, 2, "032"},        {5, std::nullopt, ""},
               {6, 3, "042"},         {7, std::nullopt, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.regel);
    EXPECT_EQ(run.Toernooi.InputRow(c.regel), c.row);
    if (c.row) {
      EXPECT_EQ(run.InputGrid.GetCell(1, *c.row), c.code);
    }
  }
}

TEST(LoadFile, ColoursMissingGameFieldsRedOnlyForCode900AsWritten) {
  TLoadRun run;
  run.Load(LoadData("record_code_0900.csv"));
  const TCellColor red{255, 0, 0};
  const TCellTable& grid = run.InputGrid;
  EXPECT_EQ(grid.CellColor(4, 1), red);
  EXPECT_EQ(grid.CellColor(4, 2), std::nullopt) << "code written 0900";
  EXPECT_EQ(grid.CellColor(4, 3), std::nullopt);
  EXPECT_EQ(grid.CellColor(5, 3), red);
  EXPECT_EQ(grid.CellColor(6, 3), red);
  EXPECT_EQ(run.Toernooi.Games.Count(), 0);
  EXPECT_EQ(run.Toernooi.IdNrs.Count(), 2) << "'0900' and '900' are the same code";
}

TEST(LoadFile, JoinsTheFieldsOfHeaderRecords) {
  TLoadRun run;
  run.Load(LoadData("joined_header_fields.csv"));
  EXPECT_EQ(run.Toernooi.Rec.Naam, "Open  Toernooi");
  EXPECT_EQ(run.Last.Naam, "Open  Toernooi");
  EXPECT_EQ(run.Toernooi.Rec.Plaats, "AmsterdamNoord");
  EXPECT_EQ(run.Toernooi.IdNrs.GetIdNr(22)->Tekst, "AmsterdamNoord");
  EXPECT_EQ(run.InputGrid.MergeRole(2, 0).Kind, TMergeRole::First);
  EXPECT_EQ(run.InputGrid.MergeRole(2, 0).ColSpan, run.InputGrid.ColCount() - 2);
  EXPECT_EQ(run.InputGrid.MergeRole(2, 1).Kind, TMergeRole::None) << "four filled cells";
}

TEST(LoadFile, KeepsTheLastNameButRegistersTheFirst) {
  TLoadRun run;
  run.Load(LoadData("two_name_records.csv"));
  EXPECT_EQ(run.Toernooi.Rec.Naam, "Een heel erg lange toernooinaam van veel tekens");
  EXPECT_EQ(run.Last.Naam, run.Toernooi.Rec.Naam);
  EXPECT_EQ(run.Toernooi.IdNrs.GetIdNr(12)->Tekst, "Abc");
  EXPECT_EQ(run.Toernooi.IdNrs.GetIdNr(12)->RegelNr, 1);
}

TEST(LoadFile, EmptyFederationRecordOverwritesTheDefault) {
  TLoadRun run;
  run.Load(LoadData("empty_header_values.csv"));
  EXPECT_EQ(run.Toernooi.Rec.Federatie, "");
  TLoadRun none;
  none.Load(LoadData("short_lines.csv"));
  EXPECT_EQ(none.Toernooi.Rec.Federatie, "NED");
}

TEST(LoadFile, EndDateBeforeStartRecordLeavesDatesNotValid) {
  TLoadRun run;
  run.Load(LoadData("end_date_before_start_date_record.csv"));
  EXPECT_FALSE(run.Toernooi.DatumsGeldig);
  EXPECT_EQ(run.Toernooi.Games.Count(), 1);
  TLoadRun after;
  after.Load(LoadData("start_after_end.csv"));
  EXPECT_TRUE(after.Toernooi.DatumsGeldig);
  EXPECT_EQ(after.Toernooi.Games.Count(), 1) << "a round date out of range still counts";
}

TEST(LoadFile, RejectedGamesStillAddAndMoveRoundDates) {
  TLoadRun run;
  run.Load(LoadData("rejected_games_move_round_dates.csv"));
  const auto& rondes = run.Toernooi.Rondes;
  ASSERT_EQ(rondes.size(), 3u);
  EXPECT_EQ(rondes[0].Datum, EncodeDate(2009, 10, 5));
  EXPECT_EQ(rondes[0].RegelNr, 2);
  EXPECT_EQ(rondes[1].Datum, EncodeDate(2009, 10, 6));
  EXPECT_EQ(rondes[1].RegelNr, 5);
  EXPECT_EQ(rondes[2].Datum, EncodeDate(2004, 1, 1)) << "a later date before 2005 moves nothing";
  EXPECT_EQ(run.Toernooi.Games.Count(), 3);
}

TEST(LoadFile, KeepsRoundsInOrderOfFirstOccurrence) {
  TLoadRun run;
  run.Load(LoadData("round_dates.csv"));
  const auto& rondes = run.Toernooi.Rondes;
  ASSERT_EQ(rondes.size(), 3u);
  EXPECT_EQ(rondes[0].RondeNr, 2);
  EXPECT_EQ(rondes[1].RondeNr, 3);
  EXPECT_EQ(rondes[2].RondeNr, 1);
  EXPECT_EQ(rondes[1].Datum, EncodeDate(2009, 10, 6));
  EXPECT_EQ(run.Toernooi.Games[3].Rec.RondeDatum, InvalidDate) << "31-02-2009 does not exist";
}

TEST(LoadFile, PlayersOfRejectedGamesDoNotExist) {
  TLoadRun run;
  run.Load(LoadData("played_twice_in_round.csv"));
  EXPECT_EQ(run.Toernooi.GetSpelerCount(), 6);
  EXPECT_EQ(run.Toernooi.Spelers.GetSpeler(107), nullptr);
  EXPECT_EQ(run.Toernooi.Spelers.GetSpeler(108), nullptr);
}

TEST(LoadFile, AcceptsTheSameIdOnBothSides) {
  TLoadRun run;
  run.Load(LoadData("same_id_both_sides.csv"));
  ASSERT_EQ(run.Toernooi.GetSpelerCount(), 1);
  const TSp& sp = run.Toernooi.Spelers[0];
  ASSERT_EQ(sp.Partijen.size(), 2u);
  EXPECT_EQ(sp.Partijen[0].Kleur, 0);
  EXPECT_EQ(sp.Partijen[1].Kleur, 1);
  EXPECT_EQ(sp.GetPunten(), 2.0);
  TCellTable grid;
  FillToernooiGrid(run.Toernooi, grid);
  EXPECT_EQ(grid.GetCell(FirstRondeColumn.Col, 1), "1 z 0") << "the black side shows";
}

TEST(LoadFile, NarrowsColumnTwoToOneAndAHalfTimesColumnSix) {
  // The default measure gives 7 pixels a character; fitting adds 10 and 1.
  const struct {
    const char* File;
    int Want;
  } cases[] = {
      {"width_of_column_two.csv", 38},      // column 6 "01" is 25 wide: 37.5 goes to 38
      {"width_half_to_even.csv", 58},       // column 6 "0001" is 39 wide: 58.5 goes to 58
      {"width_without_column_six.csv", 96}, // no column 6: the default 64
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.File);
    TLoadRun run;
    run.Load(LoadData(c.File));
    EXPECT_EQ(run.InputGrid.ColWidths(2), c.Want);
  }
}

TEST(LoadFile, EndsEarlyForMissingOrEmptyFiles) {
  TTempDir dir;
  const fs::path paths[] = {
      dir / "absent.csv", WriteFile(dir, "empty.csv", ""),
      WriteFile(dir, "nul.csv", std::string(1, '\0') + "012;Naam van toernooi\r\n")};
  for (const auto& path : paths) {
    SCOPED_TRACE(path.filename().string());
    TLoadRun run;
    run.Load(path);
    EXPECT_TRUE(run.Errors().empty());
    EXPECT_EQ(run.Status(), "");
    EXPECT_EQ(run.InputGrid.ColCount(), 3);
    EXPECT_EQ(run.InputGrid.RowCount(), 1);
    EXPECT_EQ(run.Toernooi.RegelCount(), 0);
    EXPECT_EQ(run.Toernooi.Rec.BestandsNaam, path.filename().string());
  }
}

// A lock held by another program makes the file busy; a file that is only read-only is read.
TEST(LoadFile, TellsOfAFileInUseAndReadsNothing) {
  TTempDir dir;
  const fs::path path = WriteFile(dir, "bezet.csv", "012;Bezet toernooi\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  {
    const THeldFile held(path);
    TLoadRun run;
    run.Load(path);
    EXPECT_EQ(run.Last.Outcome, TLoadOutcome::InUse);
    EXPECT_TRUE(run.Errors().empty());
    EXPECT_EQ(run.Toernooi.Rec.Naam, "");
    EXPECT_EQ(run.Last.Naam, "");
    EXPECT_EQ(run.Status(), "");
  }
  TLoadRun run;
  EXPECT_TRUE(run.Toernooi.LoadFile(path, run.InputGrid, false).Read());
  EXPECT_EQ(run.Toernooi.Rec.Naam, "Bezet toernooi");
}

// A file over 256 MiB is refused before anything of it is read; bytes in memory too.
TEST(LoadFile, TellsOfAFileTooLargeAndReadsNothing) {
  TTempDir dir;
  const fs::path path = WriteFile(dir, "groot.csv", "012;Groot toernooi\r\n");
  fs::resize_file(path, (std::uintmax_t{256} << 20) + 1);
  TLoadRun run;
  const TLoadResult result = run.Toernooi.LoadFile(path, run.InputGrid, false);
  EXPECT_EQ(result.Outcome, TLoadOutcome::TooLarge);
  EXPECT_EQ(LoadOutcomeText(result),
            "Kan niet geopend worden...\rHet bestand is te groot (257 MiB; de grens is 256 MiB).");
  EXPECT_TRUE(run.Errors().empty());
  EXPECT_EQ(run.Toernooi.RegelCount(), 0);
  const std::string bytes((std::size_t{256} << 20) + 1, 'x');
  EXPECT_EQ(run.Toernooi.LoadBytes("groot.csv", bytes, run.InputGrid, false).Outcome,
            TLoadOutcome::TooLarge);
}

TEST(LoadFile, ShowsTheLineOfAFindingPastLine9999) {
  TTempDir dir;
  std::string text = "012;Lang toernooi\r\n022;Assen\r\n032;NED\r\n042;03-10-2009\r\n"
                     "052;10-10-2009\r\n102;J. de Vries\r\n122;60 min\r\n\r\n";
  for (int i = 9; i < 12000; ++i) text += "999;opvulling\r\n";
  text += "900;1;03-10-2009;0;102;1;Bakker, Anna;Visser, Bram;;\r\n";
  TLoadRun run;
  run.Load(WriteFile(dir, "lang.csv", text));
  EXPECT_EQ(run.Errors(), (std::vector<TErrorRow>{{"12000", "Speler Idnr ontbreekt.", ""},
                                                  {"", "lang.csv", "1"}}));
  // Line 8 is empty and has no row.
  EXPECT_EQ(run.Toernooi.InputRow(12000), 11998);
  EXPECT_EQ(run.InputGrid.GetCell(0, 11998), "11999");
}

// A file dense with findings lists the first ones, one row for the rest, and counts them all.
TEST(LoadFile, ListsTheFirstFindingsAndCountsTheRest) {
  TTempDir dir;
  std::string text = "012;Veel fouten\r\n022;Assen\r\n032;NED\r\n042;03-10-2009\r\n"
                     "052;10-10-2009\r\n102;J. de Vries\r\n122;60 min\r\n";
  const int lines = TFoutLijst::MaxGetoond / 2 + 10; // two findings each
  for (int i = 0; i < lines; ++i) text += "900;1;03-10-2009\r\n";
  TLoadRun run;
  run.Load(WriteFile(dir, "veel.csv", text));
  const std::vector<TErrorRow> rows = run.Errors();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(TFoutLijst::MaxGetoond) + 2);
  EXPECT_EQ(rows[0], (TErrorRow{"8", "Speler Idnr ontbreekt.", ""}));
  EXPECT_EQ(rows[TFoutLijst::MaxGetoond - 1], (TErrorRow{"5007", "Niet legale uitslag.", ""}));
  EXPECT_EQ(rows[TFoutLijst::MaxGetoond],
            (TErrorRow{"", "En nog 20 fouten; de lijst toont de eerste 10000.", ""}));
  EXPECT_EQ(rows.back(), (TErrorRow{"", "veel.csv", std::to_string(2 * lines)}));
  EXPECT_EQ(run.Status(), std::to_string(2 * lines) + " fout");

  TLoadRun batch;
  batch.Load(WriteFile(dir, "veel.csv", text), true);
  EXPECT_EQ(batch.Errors(), (std::vector<TErrorRow>{{"", "veel.csv", std::to_string(2 * lines)}}));
}

TEST(LoadFile, ReadsLinesEndedByCrLfLfOrLoneCr) {
  TTempDir dir;
  TLoadRun run;
  run.Load(WriteFile(dir, "einden.csv", "012;Regeleinden\n022;Assen\r032;NED\r\n042;03-10-2009"));
  EXPECT_EQ(run.Toernooi.Rec.Plaats, "Assen");
  EXPECT_EQ(run.Toernooi.Rec.Federatie, "NED");
  EXPECT_EQ(run.Toernooi.IdNrs.GetIdNr(42)->RegelNr, 4);
}

TEST(LoadFile, StartsEveryLoadFromAnEmptyTournament) {
  TLoadRun run;
  run.Load(LoadData("complete_tournament.csv"));
  run.Load(LoadData("short_lines.csv"));
  EXPECT_EQ(run.Toernooi.Games.Count(), 0);
  EXPECT_EQ(run.Toernooi.GetSpelerCount(), 0);
  EXPECT_TRUE(run.Toernooi.Rondes.empty());
  EXPECT_EQ(run.Toernooi.Rec.Plaats, "");
  EXPECT_EQ(run.InputGrid.RowCount(), 2);
  EXPECT_EQ(run.InputGrid.GetCell(3, 0), "Korte regels toernooi") << "merged header row";
  EXPECT_EQ(run.InputGrid.GetCell(7, 7), "") << "the earlier file's game cells are cleared";
}

TEST(LoadFile, SurvivesHostileInput) {
  TTempDir dir;
  std::string everyByte;
  for (int i = 1; i < 256; ++i) everyByte += static_cast<char>(i);
  std::string manyRounds = "012;Veel rondes\r\n";
  for (int r = 1; r <= 3000; ++r)
    manyRounds += "900;" + std::to_string(r) + ";03-10-2009;1;2;1;Aa, Bb;Cc, Dd;;\r\n";
  const struct {
    const char* Name;
    std::string Bytes;
    int Games;
  } cases[] = {
      {"every_byte.csv", everyByte + "\r\n" + everyByte, 0},
      {"megabyte_line.csv",
       "900;1;" + std::string(1 << 20, ';') + "\r\n900;" + std::string(1 << 20, 'x'), 0},
      {"big_numbers.csv",
       "900;99999999999;03-10-2009;4294967297;-99999999999;1;Aa, Bb;Cc, Dd;1-1-99999999999;\r\n"
       "900;1;03-10-2009;$FFFFFFFF;0x7FFFFFFF;5;Aa, Bb;Cc, Dd;;\r\n",
       0},
      {"many_rounds.csv", manyRounds, 3000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TLoadRun run;
    run.Load(WriteFile(dir, c.Name, c.Bytes));
    EXPECT_EQ(run.Toernooi.Games.Count(), c.Games);
    EXPECT_EQ(run.ErrorGrid.GetCell(2, run.ErrorGrid.RowCount() - 2), c.Name);
  }
}

TEST(LoadFile, ShowsNamesOutsideAsciiInCodePage1252AndKeepsThePathForTheReport) {
  TTempDir dir;
  const fs::path path = WriteFile(dir, "Toernooi Zw\xC3\xB6lf.csv", "012;Toernooi Zwolle\r\n");
  TLoadRun run;
  run.Load(path);
  EXPECT_EQ(run.Toernooi.Rec.BestandsNaam, "Toernooi Zw\xF6lf.csv");
  EXPECT_EQ(run.Errors().back().Opmerking, "Toernooi Zw\xF6lf.csv");
  EXPECT_EQ(ReportFileName(run.Toernooi.SourcePath().filename()), "Toernooi Zw\xC3\xB6lf.txt");
}

} // namespace
