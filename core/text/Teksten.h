#pragma once

#include "core/text/TekstCodering.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Every text the program shows its user, each once: Dutch, code page 1252, CR between lines.
// The window, the page (through its binding) and the converter take them from here. A text with
// %1 and %2 has a number or a name filled in at each (FillIn).
namespace Tekst {

inline constexpr const char* Caption = "Jeugd csv naar Fide2006 Versie: ";
// How far "Alle" is: file %1 of %2; and where a stopped run ended.
inline constexpr const char* VanBestanden = "%1 van %2 bestanden";
inline constexpr const char* GestoptNa = "Gestopt na %1 van %2 bestanden";
inline constexpr const char* Gestopt = "Gestopt.";
// How far the load of file %1 is: %2 percent of its bytes read; then its lines worked out.
inline constexpr const char* Inlezen = "%1 inlezen \x85 %2 %";
inline constexpr const char* Verwerken = "%1 verwerken \x85";
// After a load: how many findings it counted, and the encoding it read a file in that was not
// code page 1252.
inline constexpr const char* Fouten = "%1 fout";
inline constexpr const char* GelezenAls = " (gelezen als %1)";

// What a drop or a pick did not take: the names, one a line, between these two.
inline constexpr const char* NietOvergenomen = "Niet overgenomen:";
inline constexpr const char* AlleenCsv = "Alleen *.csv bestanden worden overgenomen.";
inline constexpr const char* AlleenCsvEnMap =
    "Alleen *.csv bestanden worden overgenomen, en een map op de invoer- of uitvoerkant.";

// Questions, after a file's name or before a folder.
inline constexpr const char* Overschrijven = "Overschrijven ?";
inline constexpr const char* Bewaren = "bewaren ?";
inline constexpr const char* Verwijderen = " verwijderen ?";
inline constexpr const char* AlleBestandenIn = "Alle bestanden in ";
inline constexpr const char* Transformeren = "transformeren in Fide2006 bestanden ?";
inline constexpr const char* InBoxLegen = "Alle InBox bestanden verwijderen ?";
inline constexpr const char* OutBoxLegen = "Alle OutBox bestanden verwijderen ?";

// After a path: what could not be done with it.
inline constexpr const char* NietGeopend = "Kan niet geopend worden...";
inline constexpr const char* NietGemaakt = "Kan niet gemaakt worden...";
inline constexpr const char* NietVerwijderd = "Kan niet worden verwijderd.";

// Why a load read no lines.
inline constexpr const char* BestaatNiet = "Het bestand bestaat niet.";
inline constexpr const char* GeenGewoonBestand =
    "Het is geen gewoon bestand maar een map of apparaat.";
inline constexpr const char* InGebruik = "Wordt reeds gebruikt door een ander programma.";
inline constexpr const char* TeGroot = "Het bestand is te groot (%1 MiB; de grens is %2 MiB).";
inline constexpr const char* NietLeesbaar = "Het bestand kan niet gelezen worden.";
inline constexpr const char* Gewijzigd =
    "Het bestand is gewijzigd sinds het gekozen is, of kan niet gelezen worden.\rKies het opnieuw.";
inline constexpr const char* Leeg = "Het bestand is leeg.";
inline constexpr const char* GeenTekst =
    "Het bestand is geen tekstbestand: het begint met NUL-tekens of veel andere stuurtekens.";

// Why a run or a save wrote no report.
inline constexpr const char* GeenBestandGemaakt = "Geen bestand gemaakt.";
inline constexpr const char* ReedsGebruikt = "Wordt reeds gebruikt.";
inline constexpr const char* GeenToegangTotDoel =
    "Geen toegang: het bestand mag niet overschreven worden.";
inline constexpr const char* RapportTeGroot =
    "Het rapport zou te groot worden (%1 MiB; de grens is %2 MiB)";
// A tournament whose players and rounds would take more memory than its file may: %1 players
// in %2 rounds (or in one round), then the limit.
inline constexpr const char* ToernooiTeGroot = "Het toernooi is te groot (%1 spelers in %2 ronden";
inline constexpr const char* ToernooiTeGrootEenRonde =
    "Het toernooi is te groot (%1 spelers in 1 ronde";
inline constexpr const char* GeheugenGrens =
    " vragen meer dan %1 MiB geheugen, de grens voor dit bestand)";
inline constexpr const char* HetRapport = "Het rapport ";
inline constexpr const char* ZouInvoerVervangen = "zou het invoerbestand ";
inline constexpr const char* VanDezeOpdracht = " van deze opdracht ";
inline constexpr const char* Vervangen = "vervangen.";
inline constexpr const char* AlGemaaktVoor = "is in deze opdracht al gemaakt voor ";
inline constexpr const char* GeenRapport = "Er is geen rapport om te bewaren.";

// The system's reasons why a file could not be written.
inline constexpr const char* GeenToestemming = "Geen toegang.";
inline constexpr const char* AlleenLezen = "De schijf is alleen te lezen.";
inline constexpr const char* MapMetDieNaam = "Er staat een map met die naam.";
inline constexpr const char* SchijfVol = "De schijf is vol.";
inline constexpr const char* TeGrootVoorSchijf = "Het bestand wordt te groot voor de schijf.";
inline constexpr const char* MapBestaatNiet = "De map bestaat niet.";
inline constexpr const char* NaamTeLang = "De naam is te lang.";
inline constexpr const char* SchrijfFout = "De schijf gaf een schrijffout.";
inline constexpr const char* Systeemfout = "Systeemfout %1.";

// What the page's status line says after "Alle" and "ClipBoard".
inline constexpr const char* EenRapportIn = "1 rapport in %1";
inline constexpr const char* RapportenIn = "%1 rapporten in %2";
inline constexpr const char* InMap = "map %1";
inline constexpr const char* GeenRapporten = "Geen rapporten.";
// After what a run made: how many of its files gave no report.
inline constexpr const char* EenGeweigerd = "1 bestand geweigerd";
inline constexpr const char* Geweigerd = "%1 bestanden geweigerd";
inline constexpr const char* Gekopieerd = "Foutenlijst gekopieerd: %1 regels";

// The findings, at the place of their id (TBevindingId). %1, %2 and %3 are the finding's
// words: a field's name and its text as the line holds it, cut short (KortVeldTekst).
inline constexpr const char* Bevindingen[] = {
    // GeenRecordCode
    "%1 \"%2\" is geen getal: de regel is niet gelezen",
    // ToernooinaamTeKort
    "Toernooinaam is te kort",
    // ToernooinaamTeLang: the name's length.
    "Lengte toernooinaam (%1) > 40 karakters",
    // StartdatumOngeldig, EinddatumOngeldig
    "042 Startdatum is geen geldige datum (dd-mm-eejj)",
    "052 Einddatum is geen geldige datum (dd-mm-eejj)",
    // KortJaar: %3 is the date as it was read, yyyy-mm-dd, %4 how many digits the year had
    // (JaarCijfers).
    "%1 \"%2\" heeft een jaar van %4: gelezen als %3",
    // StartNaEind
    "Startdatum ligt na de einddatum",
    // GeenRondeNr
    "%1 \"%2\" is geen geheel getal: gelezen als ronde 0",
    // GeenGeboortedatum
    "%1 \"%2\" is geen geldige datum: niet in het rapport",
    // IdNrOntbreekt, UitslagOngeldig
    "Speler Idnr ontbreekt.",
    "Niet legale uitslag.",
    // WitAlGespeeld, ZwartAlGespeeld: the line of the player's earlier game in the round.
    "Witspeler heeft in deze ronde reeds gespeeld (Regel %1)",
    "Zwartspeler heeft in deze ronde reeds gespeeld (Regel %1)",
    // RondedatumBuiten, MeerDatumsPerRonde, NaamTeKort
    "Rondedatum ligt niet tussen de start- en einddatum",
    "Meer dan 1 datum/ronde",
    "Naam heeft minder dan 3 karakters",
    // PlaatsOntbreekt ... SpeeltempoOntbreekt: a header record missing or empty.
    "022 Naam Toernooiplaats ontbreekt.",
    "032 Federatie naam ontbreekt (NED)",
    "042 Startdatum ontbreekt.",
    "052 Einddatum ontbreekt.",
    "102 Inzender ontbreekt",
    "122 Speeltempo ontbreekt.",
    // GeenPartijen: a file of header records without a single game record.
    "Het bestand heeft geen partijen (900): het rapport heeft geen spelers",
    // TekenWeggelaten, TekenVervangen: a character outside code page 1252, its code point in
    // hexadecimal, and what took its place.
    "Teken U+%1 bestaat niet in code page 1252: weggelaten",
    "Teken U+%1 bestaat niet in code page 1252: vervangen door \"%2\"",
    // OngeldigeCodering: the encoding's name and the bytes or unit in hexadecimal.
    "Ongeldige %1 (%2): vervangen door \"?\"",
    // GeenUtf8: a UTF-8 file with a byte that is not UTF-8: the byte in hexadecimal, and the
    // character it was read as.
    "Byte %1 is geen UTF-8: gelezen als \"%2\" (code page 1252)",
    // NulTeken
    "NUL-teken op deze regel: de rest van het bestand is niet gelezen",
    // NaamAnders, GebDatumAnders, GebDatumErbij: a player's id, the line that made the player
    // and what that line gave, and what this line gives instead. Dates as yyyy-mm-dd.
    "Idnr %1 heet op regel %2 \"%3\": \"%4\" niet gebruikt",
    "Idnr %1 is op regel %2 geboren op %3: %4 niet gebruikt",
    "Idnr %1 heeft op regel %2 geen geboortedatum: %3 niet gebruikt",
    // TegenZichzelf: the id on both sides.
    "Wit en zwart hebben hetzelfde Idnr %1: de speler speelt tegen zichzelf",
    // RondeNrLeeg, RondeNrKleiner: the field's name, its text and the round it was read as.
    "%1 ontbreekt: gelezen als ronde 0",
    "%1 \"%2\" is kleiner dan 1: gelezen als ronde %3",
    // GeenRondedatum: the field's name and its text.
    "%1 \"%2\" is geen geldige datum: de partij heeft geen rondedatum",
    // GetalVorm: a number not written in plain digits: the field's name, its text and the
    // number it was read as.
    "%1 \"%2\" gelezen als %3",
    // GebDatumNaRonde, GebDatumNaStart: the field's name, its text, and the date it lies
    // after, yyyy-mm-dd.
    "%1 \"%2\" ligt na de rondedatum %3",
    "%1 \"%2\" ligt na de startdatum %3",
    // RegelUtf8: a line of UTF-8 in a file of code page 1252.
    "Regel in UTF-8 in een bestand in code page 1252: gelezen als UTF-8",
    // CelOverRegels: the last line a quoted cell runs on to.
    "Cel tussen aanhalingstekens loopt door tot regel %1: regeleinde gelezen als spatie",
    // TabInCel
    "TAB in een cel tussen aanhalingstekens: gelezen als spatie",
};
// How many digits the year of a KortJaar finding had: one, two, three, or %1 more.
inline constexpr const char* JaarCijfers[] = {"\xE9\xE9n cijfer", "twee cijfers", "drie cijfers"};
inline constexpr const char* JaarCijfersMeer = "%1 cijfers";
// After a finding that the line has more of: how many more.
inline constexpr const char* MeerOpDezeRegel = " (en nog %1 op deze regel)";
// The names of the fields in the findings.
inline constexpr const char* VeldStartdatum = "042 Startdatum";
inline constexpr const char* VeldEinddatum = "052 Einddatum";
inline constexpr const char* VeldRondedatum = "Rondedatum";
inline constexpr const char* VeldRondeNr = "Rondenummer";
inline constexpr const char* VeldGebDatumWit = "Geboortedatum wit";
inline constexpr const char* VeldGebDatumZwart = "Geboortedatum zwart";
inline constexpr const char* VeldRecordCode = "Recordcode";
inline constexpr const char* VeldIdNr = "Idnr";
inline constexpr const char* VeldUitslag = "Uitslag";
// The error list's own rows: the row that ends a list cut short, for %1 more findings of which
// it shows the first %2; after a file's name, that it is gone since it was read.
inline constexpr const char* NietGetoond = "En nog %1 fouten; de lijst toont de eerste %2.";
inline constexpr const char* NietGevonden = " Niet gevonden.";
// The error table's header.
inline constexpr const char* KolomRegel = "Regel";
inline constexpr const char* KolomOpmerking = "Opmerking";
inline constexpr const char* KolomFout = "Fout";
// The page's input list: a second file of a name already listed, and emptying the list.
inline constexpr const char* AlOpDeLijst =
    "staat al op de lijst, maar is een ander bestand.\r\rHet bestand op de lijst vervangen, of "
    "beide houden?";
inline constexpr const char* KnopVervangen = "Vervangen";
inline constexpr const char* KnopBeideHouden = "Beide houden";
inline constexpr const char* LijstLeegmaken = "Alle %1 bestanden van de lijst halen?";
inline constexpr const char* KnopJa = "Ja";
inline constexpr const char* KnopNee = "Nee";

// The report's header date lines of a tournament without a start or end date. The report's
// size is reckoned with the longer of the two.
inline constexpr const char* GeenStartdatum = "yyyy-mm-dd (Geen startdatum)";
inline constexpr const char* GeenEinddatum = "yyyy-mm-dd (Geen einddatum)";

// The clipboard of the page, when the browser keeps it closed.
inline constexpr const char* GeenKlembord = "Het klembord is niet beschikbaar.";
// What failed in the page itself, before the browser's own words for it.
inline constexpr const char* PaginaFout = "De pagina kon dit niet afmaken:";
// How two listed files of one name are told apart: the number of the one after the first, and
// the size in bytes and the date.
inline constexpr const char* Volgnummer = "%1 (%2)";
inline constexpr const char* GrootteEnDatum = "%1 B, %2";

// The labels, hints and tooltips of the page, the first ones the window's too.
inline constexpr const char* ProgrammaNaam = "Morvelander";
inline constexpr const char* TabSelecteer = "Selecteer bestand";
inline constexpr const char* TabInlees = "Inlees grid";
inline constexpr const char* TabFide2006 = "Fide2006 grid";
inline constexpr const char* TabFouten = "Fouten";
inline constexpr const char* InvoerBestanden = "Invoer bestanden (*.csv)";
inline constexpr const char* InvoerLijst = "Invoer bestanden";
inline constexpr const char* LijstHint =
    "Sleep bestanden hierheen of kies ze; dubbelklik of Enter opent een bestand, Delete haalt "
    "de gekozen bestanden van de lijst, Shift+Delete maakt de lijst leeg.";
inline constexpr const char* KnopKiesBestanden = "Kies bestanden";
inline constexpr const char* KnopVerwijderen = "Verwijderen";
inline constexpr const char* TipVerwijderen = "Haal de gekozen bestanden van de lijst";
inline constexpr const char* KnopLijstLeegmaken = "Lijst leegmaken";
inline constexpr const char* TipLijstLeegmaken = "Haal alle bestanden van de lijst";
inline constexpr const char* KnopAlle = "Alle";
inline constexpr const char* TipAlle = "Transformeer alle bestanden";
inline constexpr const char* KnopAlleNaarMap = "Alle naar map";
inline constexpr const char* TipAlleNaarMap = "Transformeer alle bestanden naar een map";
inline constexpr const char* Decimaalteken = "Decimaalteken";
inline constexpr const char* KnopBewaar = "Bewaar Fide2006";
inline constexpr const char* KnopClipBoard = "ClipBoard";
inline constexpr const char* KnopStop = "Stop";
inline constexpr const char* TipStop = "Stop de opdracht die loopt";
inline constexpr const char* KnopOK = "OK";

// The window: its other buttons with their hints, groups, the lists' menu, and what a screen
// reader hears of the controls whose caption does not tell.
inline constexpr const char* HintStop = "Stopt het inlezen (Esc); Alle stopt na het bestand";
inline constexpr const char* HintAlle = "Transformeer alle Inbox bestanden";
inline constexpr const char* KnopClear = "Clear";
inline constexpr const char* HintClearInBox = "Clear InBox";
inline constexpr const char* HintClearOutBox = "Clear OutBox";
inline constexpr const char* KnopUpdate = "Update";
inline constexpr const char* HintUpdateInBox = "Refresh InBox";
inline constexpr const char* HintUpdateOutBox = "Refresh OutBox";
inline constexpr const char* GroepInvoerMap = "Select data invoer map";
inline constexpr const char* GroepUitvoerMap = "Select data uitvoer map";
inline constexpr const char* GroepUitvoerBestanden = "Uitvoer Fide2006 bestanden (*.txt)";
inline constexpr const char* MenuOpenen = "Openen";
inline constexpr const char* MenuMapOpenen = "Map openen";
inline constexpr const char* MenuVerwijderen = "Verwijderen";
inline constexpr const char* NaamTabbladen = "Tabbladen";
inline constexpr const char* NaamStatusbalk = "Statusbalk";
inline constexpr const char* NaamToernooiPaneel = "Toernooi";
inline constexpr const char* NaamFoutenPaneel = "Fouten en voortgang";
inline constexpr const char* HintMappen = "Dubbelklik of Enter opent een map";
inline constexpr const char* HintInvoerLijst =
    "Dubbelklik of Enter leest een bestand in, Delete verwijdert het";
inline constexpr const char* HintUitvoerLijst =
    "Dubbelklik of Enter opent een rapport, Delete verwijdert het";
inline constexpr const char* HintFouten =
    "Dubbelklik of Enter op een fout toont zijn regel in Inlees grid";
// The window's dialogs: a question's caption, the one button of a message, the save dialog.
inline constexpr const char* VraagTitel = "Bevestigen";
inline constexpr const char* BewaarTitel = "Bewaar Fide2006 lijst";
inline constexpr const char* BewaarFilter = "Fide2006 Tekstbestanden(*.txt) (*.TXT *.txt)";
// F1: %1 the version, %2 the year of its date; then the folders in use and the settings file.
inline constexpr const char* OverTitel = "Over Morvelander";
inline constexpr const char* OverProgramma =
    "Morvelander\rVersie %1\r\rLicentie: MIT\rCopyright (c) %2 The Morvelander developers";
inline constexpr const char* OverWerkmappen = "Werkmappen:";
inline constexpr const char* OverInstellingen = "Instellingen:";
// A drop the window did not take, in its status bar.
inline constexpr const char* DropTijdensOpdracht =
    "Niet overgenomen: wacht tot het inlezen of Alle klaar is.";
inline constexpr const char* DropEigenLijst =
    "Niet overgenomen: een bestand uit de eigen lijsten wordt niet gekopieerd.";
inline constexpr const char* DropGeenKopie =
    "Niet overgenomen: de bron staat niet toe dat het gekopieerd wordt.";
// What failed, before the detail the system or the library gave: a command that broke off.
inline constexpr const char* OpdrachtAfgebroken = "De opdracht is afgebroken door een fout:";
// At start, on standard error, when Qt's Dutch translation is not installed.
inline constexpr const char* QtVertalingOntbreekt =
    "De Nederlandse vertaling van Qt (qtbase_nl.qm) ontbreekt: Qt's eigen dialogen blijven Engels.";

} // namespace Tekst

// The text with %1 and %2 replaced by the given words.
std::string FillIn(std::string_view text, std::string_view first, std::string_view second = {});
// A text of lines separated by CR as one line: each CR becomes a blank, except at the start
// and after a blank. Encoding-neutral, for code page 1252 and UTF-8 alike.
std::string OneLine(std::string_view lines);
// The window's caption, with the program's version.
std::string CaptionText(char decimalSeparator);
// A field's text as a finding quotes it: a long text is cut short.
std::string KortVeldTekst(std::string_view tekst);
// The encoding's name as the user sees it.
std::string_view CoderingNaam(TTekstCodering codering);
// The status line after a load: its count of findings, with the encoding it read the file in
// unless that was code page 1252; empty for a load that did not read its lines to the end.
std::string LoadStatusText(std::optional<int> fouten, TTekstCodering codering);
// "i van n bestanden".
std::string VanBestandenText(std::size_t i, std::size_t n);
// How far the load of the file `name` is, `read` of `size` bytes: "<name> inlezen … 45 %",
// then "<name> verwerken …" once it has read them all.
std::string LoadProgressText(std::string_view name, std::size_t read, std::size_t size);
// The start of the refusal of a tournament too large: its players in its rounds.
std::string ToernooiTeGrootText(std::size_t spelers, std::size_t rondes);
// What a run made and where, then how many of its files it refused, for the status line at its
// end: "6 rapporten in OutBox; 1 bestand geweigerd".
std::string RunEndText(std::size_t made, std::size_t refused, std::string_view where);
// Why the system could not do what was asked with a file, from the error it gave.
std::string SystemReasonText(std::error_code ec);
// What could not be done, CR, and the system's reason.
std::string NietGemaaktText(std::error_code ec);
std::string NietGeopendText(std::error_code ec);
