#pragma once

#include <QString>

namespace kotohana {

// One saved play: one line of データ.txt.
struct PlayRecord {
    // A play lasts from 0 seconds to a day at the very most; a line claiming more is not a
    // record. So a hundred million records total under 10^13 seconds: every total stays a whole
    // number a double holds exactly, far inside qint64 and its h:mm:ss text.
    static constexpr float kMostSeconds = 86400;

    QString date; // "yyyy/mm/dd" of saving
    QString time; // "HH:MM:SS" of saving
    QString item; // the game's short name
    float seconds = 0;
    QString diary; // the play's conditions as the game wrote them, or the user's one-line diary

    friend bool operator==(const PlayRecord &, const PlayRecord &) = default;
};

} // namespace kotohana
