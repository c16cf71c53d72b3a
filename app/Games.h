#pragma once

#include <QString>

#include <memory>

namespace kotohana {

class GameWindow;
struct ProgramState;
struct Services;

// The seven games of the launcher, by game number (1 = プラマイ ... 7 = ボキャブラ).
namespace Games {

// How many there are: numbers 1 to count().
int count();
QString name(int number);
QString picture(int number);
// The game's window, not yet loaded; nothing for a game that is not playable yet.
std::unique_ptr<GameWindow> create(int number, const Services &services, ProgramState &state);
// The history files the new start empties, in the order it empties them.
QStringList historyFiles();

} // namespace Games
} // namespace kotohana
