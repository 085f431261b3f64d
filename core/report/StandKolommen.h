#pragma once

#include "core/report/ReportColumns.h"
#include "core/tournament/Stand.h"

#include <string>
#include <vector>

// The text of player i in the tournament table's column col, which is also the text of the
// report line's field of that column: one formatter per column, so that both always agree.
// rondeCellen holds the player's round cells (TStand::RondeCellen). Empty where the column
// shows nothing.
std::string StandCel(const TStand& stand, int i, int col,
                     const std::vector<std::string>& rondeCellen);
