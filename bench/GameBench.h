#pragma once

namespace kotohana::bench {

// The game windows on a long history: a window opening with 10,000 history lines, しりとり
// judging answers against a dictionary of 100,000 words, and single keystrokes in プラマイ
// and しりとり from the key event until the window has painted. Runs in a process of its own
// (kotohana_bench --games) and prints one line per figure.
int gamesPhase(int argc, char **argv);

} // namespace kotohana::bench
