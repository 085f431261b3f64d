#include "core/reading/DateValue.h"
#include "core/run/Conversion.h"
#include "core/tournament/CoreUI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The header records of a tournament in 2009, so that only what a test adds is a finding.
const std::string Kop = "012;Schoolschaak Oost\r\n022;Deventer\r\n032;NED\r\n042;14-11-2009\r\n"
                        "052;21-11-2009\r\n102;Ij Kl\r\n122;30 min\r\n";

struct TGelezen {
  std::vector<std::string> Errors;
  std::vector<std::string> Report;
  std::vector<TGameRec> Games;
};

TGelezen Read(const std::string& csv) {
  TCoreUI ui;
  TConversion conversion(ui);
  conversion.OpenBytes("Oost.csv", csv);
  TGelezen gelezen{{}, conversion.Toernooi.ReportLines, {}};
  for (int r = 1; r < conversion.ErrorGrid.RowCount() - 1; ++r)
    gelezen.Errors.push_back(std::string(conversion.ErrorGrid.GetCell(1, r)) + " " +
                             std::string(conversion.ErrorGrid.GetCell(2, r)));
  for (const TGame& game : conversion.Toernooi.Games) gelezen.Games.push_back(game.Rec);
  return gelezen;
}

// Each birth date is its own player's: an empty one stays empty for its side, one that is no
// date is left out with a finding, and the fields after it stay where they are.
TEST(ReadGame, KeepsEachBirthDateWithItsPlayer) {
  const TDate d1998 = EncodeDate(1998, 3, 2);
  const TDate d2001 = EncodeDate(2001, 1, 5);
  const TDate d2005 = EncodeDate(2005, 1, 1);
  const struct {
    const char* Dates;
    TDate Wit;
    TDate Zwart;
    std::string Finding;
  } cases[] = {
      {"02-03-1998;05-01-2001", d1998, d2001, ""},
      {";02-03-1998", NoDate, d1998, ""},
      {" ;02-03-1998", NoDate, d1998, ""},
      {"02-03-1998;", d1998, NoDate, ""},
      {";", NoDate, NoDate, ""},
      {"31-02-1999;02-03-1998", InvalidDate, d1998,
       "8 Geboortedatum wit \"31-02-1999\" is geen geldige datum: niet in het rapport"},
      {";14/3/96", NoDate, InvalidDate,
       "8 Geboortedatum zwart \"14/3/96\" is geen geldige datum: niet in het rapport"},
      {"2-3-119980;", InvalidDate, NoDate,
       "8 Geboortedatum wit \"2-3-119980\" is geen geldige datum: niet in het rapport"},
      // Day first with a two-digit year: the day is taken for a year of one digit.
      {"5/1/01;02-03-1998", d2005, d1998,
       "8 Geboortedatum wit \"5/1/01\" heeft een jaar van \xE9\xE9n cijfer: gelezen als "
       "2005-01-01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Dates);
    const TGelezen gelezen =
        Read(Kop + "900;1;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;" + c.Dates + "\r\n");
    ASSERT_EQ(gelezen.Games.size(), 1u);
    EXPECT_EQ(gelezen.Games[0].WitNaam, "Wit, Willem");
    EXPECT_EQ(gelezen.Games[0].ZwartNaam, "Zwart, Zora");
    EXPECT_EQ(gelezen.Games[0].WitGebDatum, c.Wit);
    EXPECT_EQ(gelezen.Games[0].ZwartGebDatum, c.Zwart);
    std::vector<std::string> want;
    if (!c.Finding.empty()) want.push_back(c.Finding);
    want.push_back(" Oost.csv");
    EXPECT_EQ(gelezen.Errors, want);
  }
}

// A value a line holds that the reader cannot take is named, with its text, on its line; the
// report is the one the reader made of it before.
TEST(ReadText, NamesEveryValueItCannotTake) {
  const std::string game = "900;1;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;;\r\n";
  const struct {
    const char* Name;
    std::string Csv;
    std::vector<std::string> Findings;
  } cases[] = {
      {"round number with a letter",
       Kop + "900;2a;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;;\r\n",
       {"8 Rondenummer \"2a\" is geen geheel getal: gelezen als ronde 0"}},
      {"round number with a fraction",
       Kop + "900;1.5;14-11-2009;1;2;1;Wit, Wil;Zwart, Zora;;\r\n",
       {"8 Rondenummer \"1.5\" is geen geheel getal: gelezen als ronde 0"}},
      {"round number with a blank after it",
       Kop + "900;2 ;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;;\r\n",
       {"8 Rondenummer \"2 \" is geen geheel getal: gelezen als ronde 0"}},
      {"record code with letters",
       Kop + game + "9OO;1;14-11-2009;3;4;1;Aa, Bb;Cc, Dd;;\r\n",
       {"9 Recordcode \"9OO\" is geen getal: de regel is niet gelezen"}},
      {"record code with a blank after it",
       Kop + game + "900 ;1;14-11-2009;3;4;1;Aa;Cc;;\r\n",
       {"9 Recordcode \"900 \" is geen getal: de regel is niet gelezen"}},
      {"a long text is cut short",
       Kop + game + "Uitslagen van de eerste ronde van het schoolschaaktoernooi Oost\r\n",
       {"9 Recordcode \"Uitslagen van de eerste ronde van het sc\x85\" is geen getal: de regel "
        "is niet gelezen"}},
      {"the separator line of a spreadsheet", "sep=;\r\n" + Kop + game, {}},
      {"empty first fields of a padded row", Kop + game + ";;;;;;;;\r\n", {}},
      {"round date with a one-digit year",
       Kop + "900;1;5/9/09;1;2;1;Wit, Willem;Zwart, Zora;;\r\n",
       {"8 Rondedatum \"5/9/09\" heeft een jaar van \xE9\xE9n cijfer: gelezen als 2005-09-09",
        "8 Rondedatum ligt niet tussen de start- en einddatum"}},
      {"header dates with one-digit years",
       "012;Schoolschaak Oost\r\n022;Deventer\r\n032;NED\r\n042;9-11-14\r\n052;09-11-21\r\n"
       "102;Ij Kl\r\n122;30 min\r\n" +
           game,
       {"4 042 Startdatum \"9-11-14\" heeft een jaar van \xE9\xE9n cijfer: gelezen als 2009-11-14",
        "5 052 Einddatum \"09-11-21\" heeft een jaar van twee cijfers: gelezen als 2009-11-21"}},
      {"header records without a game",
       Kop,
       {" Het bestand heeft geen partijen (900): het rapport heeft geen spelers"}},
      {"an id with another name",
       Kop + game + "900;2;21-11-2009;2;1;1;Zwart, Zora;Visser, Tom;;\r\n",
       {"9 Idnr 1 heet op regel 8 \"Wit, Willem\": \"Visser, Tom\" niet gebruikt"}},
      {"an id with another birth date",
       Kop + "900;1;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;02-03-1998;\r\n" +
           "900;2;21-11-2009;2;1;1;Zwart, Zora;Wit, Willem;05-01-2001;05-01-2001\r\n",
       {"9 Idnr 2 heeft op regel 8 geen geboortedatum: 2001-01-05 niet gebruikt",
        "9 Idnr 1 is op regel 8 geboren op 1998-03-02: 2001-01-05 niet gebruikt"}},
      {"a game against oneself",
       Kop + "900;1;14-11-2009;1;1;1;Wit, Willem;Wit, Willem;;\r\n",
       {"8 Wit en zwart hebben hetzelfde Idnr 1: de speler speelt tegen zichzelf"}},
      {"round numbers empty, zero and below zero",
       Kop + "900;;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;;\r\n" +
           "900;-0;14-11-2009;3;4;1;Aa, Bb;Cc, Dd;;\r\n" +
           "900;-3;14-11-2009;5;6;1;Ee, Ff;Gg, Hh;;\r\n",
       {"8 Rondenummer ontbreekt: gelezen als ronde 0",
        "9 Rondenummer \"-0\" is kleiner dan 1: gelezen als ronde 0",
        "10 Rondenummer \"-3\" is kleiner dan 1: gelezen als ronde -3"}},
      {"round dates that are no date",
       Kop + "900;1;morgen;1;2;1;Wit, Willem;Zwart, Zora;;\r\n" +
           "900;2;31-02-2010;2;1;1;Zwart, Zora;Wit, Willem;;\r\n",
       {"8 Rondedatum \"morgen\" is geen geldige datum: de partij heeft geen rondedatum",
        "8 Rondedatum ligt niet tussen de start- en einddatum",
        "9 Rondedatum \"31-02-2010\" is geen geldige datum: de partij heeft geen rondedatum",
        "9 Rondedatum ligt niet tussen de start- en einddatum"}},
      {"a round date that is no date without start and end date",
       "012;Schoolschaak Oost\r\n900;1;morgen;1;2;1;Wit, Willem;Zwart, Zora;;\r\n",
       {"2 Rondedatum \"morgen\" is geen geldige datum: de partij heeft geen rondedatum",
        " 022 Naam Toernooiplaats ontbreekt.", " 032 Federatie naam ontbreekt (NED)",
        " 042 Startdatum ontbreekt.", " 052 Einddatum ontbreekt.", " 102 Inzender ontbreekt",
        " 122 Speeltempo ontbreekt."}},
      {"numbers in other forms",
       Kop + "0900;x10;14-11-2009;$1;+2;0x1;Wit, Willem;Zwart, Zora;;\r\n" +
           " 900;2;21-11-2009;2;1;1;Zwart, Zora;Wit, Willem;;\r\n" +
           "\t+900;3;22-11-2009;3;4;1;Aa, Bb;Cc, Dd;;\r\n" +
           "x384;4;21-11-2009;1;2;1;Wit, Willem;Zwart, Zora;;\r\n",
       {"8 Recordcode \"0900\" gelezen als 900", "8 Rondenummer \"x10\" gelezen als 16",
        "8 Idnr \"$1\" gelezen als 1", "8 Idnr \"+2\" gelezen als 2",
        "8 Uitslag \"0x1\" gelezen als 1", "9 Recordcode \" 900\" gelezen als 900",
        "10 Recordcode \" +900\" gelezen als 900",
        "10 Rondedatum ligt niet tussen de start- en einddatum",
        "11 Recordcode \"x384\" gelezen als 900"}},
      {"record codes without a digit",
       Kop + game + "x\r\nx;1\r\n\"\"\r\n",
       {"9 Recordcode \"x\" is geen getal: de regel is niet gelezen",
        "10 Recordcode \"x\" is geen getal: de regel is niet gelezen"}},
      {"a two-digit year",
       Kop + "900;1;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;01-01-10;\r\n",
       {"8 Geboortedatum wit \"01-01-10\" heeft een jaar van twee cijfers: gelezen als "
        "2001-01-10"}},
      {"birth dates after the round's date or the start",
       Kop + "900;1;14-11-2009;1;2;1;Wit, Willem;Zwart, Zora;01-01-2090;\r\n" +
           "900;2;morgen;3;4;1;Aa, Bb;Cc, Dd;;20-11-2009\r\n",
       {"8 Geboortedatum wit \"01-01-2090\" ligt na de rondedatum 2009-11-14",
        "9 Rondedatum \"morgen\" is geen geldige datum: de partij heeft geen rondedatum",
        "9 Geboortedatum zwart \"20-11-2009\" ligt na de startdatum 2009-11-14",
        "9 Rondedatum ligt niet tussen de start- en einddatum"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TGelezen gelezen = Read(c.Csv);
    std::vector<std::string> want = c.Findings;
    want.push_back(" Oost.csv");
    EXPECT_EQ(gelezen.Errors, want);
  }
}

// A cell with a line break, as a spreadsheet writes it, is one cell of one line and the lines
// after it keep their numbers; a TAB in a quoted cell is a blank.
TEST(ReadText, ReadsAQuotedCellOverALineBreakAndWithATab) {
  const TGelezen gelezen =
      Read(Kop + "900;1;14-11-2009;1;2;1;\"Wit,\r\nWillem\";\"Zwart,\tZora\";;\r\n" +
           "900;2;21-11-2009;2;1;7;Zwart, Zora;Wit, Willem;;\r\n");
  ASSERT_EQ(gelezen.Games.size(), 1u);
  EXPECT_EQ(gelezen.Games[0].WitNaam, "Wit, Willem");
  EXPECT_EQ(gelezen.Games[0].ZwartNaam, "Zwart, Zora");
  EXPECT_EQ(gelezen.Errors,
            (std::vector<std::string>{
                "8 Cel tussen aanhalingstekens loopt door tot regel 9: regeleinde gelezen als "
                "spatie",
                "8 TAB in een cel tussen aanhalingstekens: gelezen als spatie",
                "10 Niet legale uitslag.", " Oost.csv"}));
  // A quote that no cell closes within a few lines joins nothing.
  const TGelezen open = Read(Kop + "900;1;14-11-2009;1;2;1;\"Wit, Willem;Zwart, Zora;;\r\n" +
                             "900;2;21-11-2009;2;1;1;Zwart, Zora;\"Wit\", Willem;;\r\n");
  EXPECT_EQ(open.Games.size(), 2u);
  EXPECT_EQ(open.Errors.back(), " Oost.csv");
}

// A cell as a spreadsheet writes it when told to quote: between double quotes, each quote
// inside doubled.
std::string Quoted(const std::string& cell) {
  std::string quoted = "\"";
  for (const char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The file again with its cells quoted: every cell, or only those that are no number or date.
std::string Resave(const std::string& csv, bool everyCell) {
  std::string resaved;
  std::size_t start = 0;
  for (std::size_t end = csv.find("\r\n"); end != std::string::npos;
       start = end + 2, end = csv.find("\r\n", start)) {
    const std::string line = csv.substr(start, end - start);
    std::size_t from = 0;
    for (;;) {
      const std::size_t semi = std::min(line.find(';', from), line.size());
      const std::string cell = line.substr(from, semi - from);
      const bool text = cell.find_first_not_of("0123456789-") != std::string::npos;
      resaved += everyCell || text ? Quoted(cell) : cell;
      if (semi == line.size()) break;
      resaved += ';';
      from = semi + 1;
    }
    resaved += "\r\n";
  }
  return resaved;
}

// A re-save with quoted text cells, or with every cell quoted, gives the original's report and
// error list: quotes inside a name, a ";" inside a quoted cell and short lines included.
TEST(ReadText, ReadsQuotedCellsAsTheOriginal) {
  const std::string original = Kop +
                               "900;1;14-11-2009;1;2;1;Wit, \"Wim\";Zwart, Zora;;02-03-1998\r\n"
                               "900;2;21-11-2009;2;1;7;Zwart, Zora;Wit, \"Wim\";02-03-1998;\r\n"
                               "022;\r\n"
                               "900;2;21-11-2009;2;3;1;Zwart, Zora;Gg;02-03-1998;5-3-8\r\n";
  const TGelezen want = Read(original);
  ASSERT_EQ(want.Errors,
            (std::vector<std::string>{
                "9 Niet legale uitslag.",
                "11 Geboortedatum zwart \"5-3-8\" heeft een jaar van \xE9\xE9n cijfer: gelezen als "
                "2005-03-08",
                "11 Naam heeft minder dan 3 karakters", " Oost.csv"}));
  ASSERT_EQ(std::count_if(want.Report.begin(), want.Report.end(),
                          [](const std::string& line) {
                            return line.find("Wit, \"Wim\"") != std::string::npos;
                          }),
            1);
  for (const bool everyCell : {false, true}) {
    SCOPED_TRACE(everyCell ? "every cell" : "text cells");
    const TGelezen gelezen = Read(Resave(original, everyCell));
    EXPECT_EQ(gelezen.Report, want.Report);
    EXPECT_EQ(gelezen.Errors, want.Errors);
  }
  // A cell not wholly between quotes is read as it stands; one that is takes its ";" as text.
  const TGelezen halfQuoted =
      Read(Kop + "\"900\"x;1;14-11-2009;1;2;1;\"Wit;Wim\";\"Zwart\" Zora;;\r\n" +
           "900;1;14-11-2009;3;4;1;\"Ab; Cd\";\"Ef \"Gh\";;\r\n");
  ASSERT_EQ(halfQuoted.Games.size(), 1u);
  EXPECT_EQ(halfQuoted.Games[0].WitNaam, "Ab; Cd");
  EXPECT_EQ(halfQuoted.Games[0].ZwartNaam, "\"Ef \"Gh\"");
}

} // namespace
