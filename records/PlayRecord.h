#pragma once

#include <QString>

namespace kotohana {

// One saved play: one line of データ.txt.
struct PlayRecord {
    QString date;    // "yyyy/mm/dd" of saving
    QString time;    // "HH:MM:SS" of saving
    QString item;    // the game's short name
    float seconds = 0;
    QString diary;   // the play's conditions as the game wrote them, or the user's one-line diary

    friend bool operator==(const PlayRecord &, const PlayRecord &) = default;
};

} // namespace kotohana
