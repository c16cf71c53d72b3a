#pragma once

#include <QDateTime>
#include <QStringList>

namespace kotohana {

class DataFolder;
struct GameDefinition;

// Data folders as a player's would look, for the benchmark, the screenshots and the layout
// tests: the delivered files, months of plays, and a history for every game.
namespace sample {

// History lines in a game's layout, one play every few hours, correct rates up to 100.0%.
QStringList historyLines(const GameDefinition &game, int count);

// Fills the folder: the delivered files, `records` plays in データ.txt, `historyLines` lines in
// every game's history, and the help tour switched off. Gives the moment of the last play,
// which a clock for the folder should show as now.
QDateTime fillFolder(const DataFolder &folder, int records, int historyLines);

} // namespace sample
} // namespace kotohana
