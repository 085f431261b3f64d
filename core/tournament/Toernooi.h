#pragma once

#include "core/reading/DateValue.h"
#include "core/reading/InputText.h"
#include "core/reading/LoadOutcome.h"
#include "core/reading/RegelSet.h"
#include "core/tournament/CoreUI.h"
#include "core/tournament/ErrorList.h"
#include "core/tournament/FlatIndex.h"
#include "core/tournament/Games.h"
#include "core/tournament/IdNrs.h"
#include "core/tournament/PositionIndex.h"
#include "core/tournament/Spelers.h"
#include "table/CellTable.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The tournament's header values.
struct TToernooiRec {
  std::string Naam;
  std::string Plaats;
  std::string BestandsNaam;
  std::string Speeltempo;
  std::string Inzender;
  std::string Federatie;
  TDate StartDatum = 0;
  TDate EindDatum = 0;
};

// One round, in order of first appearance in the game records.
struct TRondeRec {
  std::int32_t RondeNr = 0;
  TDate Datum = 0;
  std::int32_t RegelNr = 0;
};

// Players a load did not build because they, the table and the report would take more memory
// than the file may ask for: how many there would be, by how many characters their names
// together run past the name column, and the memory allowed in bytes.
struct TSpelersTeGroot {
  int Spelers = 0;
  std::uintmax_t OverNaam = 0;
  std::uintmax_t Budget = 0;
};

// One tournament file read into memory: header values, accepted games, players, rounds and
// the report lines. Every LoadFile starts from an empty tournament.
class TToernooi {
public:
  TToernooi(TFouten& fouten, TCoreUI& ui);
  TToernooi(const TToernooi&) = delete;
  TToernooi& operator=(const TToernooi&) = delete;

  void Clear();
  // Leaves the tournament and the input table as a load of an empty file would: what a stopped
  // load shows.
  void Discard(TCellTable& inputGrid);
  // Reads and checks the file; every finding goes to the error list. Tells why it read no
  // lines, if it read none.
  TLoadResult LoadFile(const std::filesystem::path& path, TCellTable& inputGrid, bool batch);
  // Reads and checks bytes already in memory as the file at path; the file system is not used.
  TLoadResult LoadBytes(const std::filesystem::path& path, std::string_view bytes,
                        TCellTable& inputGrid, bool batch);
  void BuildSpelers();
  // The players the last load did not build, when they would take too much memory; empty when
  // they were built.
  const std::optional<TSpelersTeGroot>& TeGroot() const { return FTeGroot; }

  int GetSpelerCount() const { return Spelers.Count(); }
  // The index of the first round with that number, or -1.
  int GetRondeIndex(std::int32_t rondeNr) const;
  // The path of the file last loaded.
  const std::filesystem::path& SourcePath() const { return FSourcePath; }
  // The number of lines the last load read; 0 when the file was missing, in use or empty.
  int RegelCount() const { return FRegelCount; }
  // The encoding the last load read its file in.
  TTekstCodering Codering() const { return FCodering; }
  // The input-table row that shows the line (1-based) of the file last loaded; none for a line
  // the reader skipped or that the file does not have.
  std::optional<int> InputRow(int regel) const;

  TToernooiRec Rec;
  TGamesList Games;
  TSpList Spelers;
  std::vector<std::string> ReportLines;
  TIdNrList IdNrs;
  bool DatumsGeldig = false;
  std::vector<TRondeRec> Rondes;
  // The decimal separator of points and the version in the table and the report.
  char DecimalSeparator = '.';
  // Whether every load fits the error table's columns; a run over many files into one error
  // table fits once at its end instead.
  bool FitErrorGrid = true;
  // Told every few thousand lines while a load reads the file, and once at its end: how many of
  // the file's bytes it has read, of how many.
  std::function<void(std::size_t read, std::size_t size)> OnProgress;
  // Whether a load writes the file's lines into the input table. A caller that never shows
  // that table leaves it empty: it takes several times the file's size.
  bool FillInputGrid = true;
  // Whether a load that does not write the input table keeps its lines, so that the table can
  // be drawn from them once it is shown (DrawInputGrid).
  bool KeepRegels = false;
  // Writes the input table from the lines the last load kept, once; nothing when it kept none.
  void DrawInputGrid(TCellTable& inputGrid);

private:
  void StartLoad(TCellTable& inputGrid);
  // False when the text holds no line; then the load ends without a summary row.
  bool ReadText(const std::filesystem::path& path, const TInputText& input, TCellTable& inputGrid,
                TFoutLijst& fouten);
  void FinishLoad(TFoutLijst& fouten, bool stillThere);
  // The load's result with what it found.
  TLoadResult Ended(TLoadResult result) const;
  // Builds the players unless they, the table and the report would take more than the budget
  // in bytes; then leaves none.
  bool BuildSpelers(std::uintmax_t budget);
  // A line that gives a player's id another name or birth date than the line that made the
  // player is named: the player keeps the first.
  void CheckSpelerWaarden(TFoutLijst& fouten) const;
  // Counts the players the build would have made, for the refusal.
  void RefuseTooLarge(std::uintmax_t budget);
  // Whether the user stopped the load; a stopped load leaves the tournament and the input
  // table as an empty file would.
  bool Stop(TCellTable& inputGrid);
  void AddRonde(const TRondeRec& ronde);
  // Whether a game or round of that many bytes fits the budget; once one does not, none is kept
  // any more and the tournament is refused.
  bool Past(double bytes);
  void ReadGame(std::string_view rest, int regel, TFoutLijst& fouten);
  void CheckHeaderRecords(TFoutLijst& fouten) const;
  void CheckRondeDatums(TFoutLijst& fouten) const;

  TFouten& FLijst;
  TCoreUI& FUI;
  std::filesystem::path FSourcePath;
  int FRegelCount = 0;
  bool FStopped = false;
  // The findings of the last load that read its lines to the end.
  std::optional<int> FFouten;
  TTekstCodering FCodering = TTekstCodering::Cp1252;
  // The text of the last load, kept by KeepRegels.
  std::string FRegels;
  // The lines of 4 bytes or less, which get no input-table row.
  TRegelSet FSkippedRegels;
  TPositionIndex FRondeIndex;
  std::optional<TSpelersTeGroot> FTeGroot;
  // What the games, players and rounds of the file being read may take, and what its games and
  // rounds take so far.
  std::uintmax_t FBudget = 0;
  double FNodig = 0;
  bool FTeVeel = false;
};
