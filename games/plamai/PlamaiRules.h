#pragma once

#include <QString>

#include <array>

namespace kotohana {

class RandomSource;

// The rules of プラマイ: between two neighbouring digits the player types the last digit of
// their sum (plus mode) or their distance (minus mode).
namespace PlamaiRules {

using Row = std::array<int, 15>;

// Fifteen independent digits, drawn after reseeding from the clock.
Row newRow(RandomSource &random);

// The expected answer for digits a and b; any mode text but "－" is plus mode.
int expected(int a, int b, const QString &mode);

// A typed text is judged by its numeric value (a letter counts as 0).
bool judge(int a, int b, const QString &typed, const QString &mode);

} // namespace PlamaiRules
} // namespace kotohana
