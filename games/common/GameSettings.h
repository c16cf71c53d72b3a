#pragma once

#include "platform/FileResult.h"

#include <QString>
#include <QStringList>

namespace kotohana {

// The choices of a game window's "ゲーム設定" frame, kept in the game's settings file as one
// line: answers, seconds, [game mode,] "秒数" or "答数", automatic saving.
struct GameSettings {
    int answers = 10; // Kaisu
    int seconds = 60; // Jikan
    QString modeName; // the game's own variant; empty for games without one
    QString timingName = QStringLiteral("秒数");
    int autoSave = 1;

    friend bool operator==(const GameSettings &, const GameSettings &) = default;
};

// The texts of the limit lists: "10" to "180" seconds in steps of 5, "1" to "100" answers.
QStringList secondsLimits();
QStringList answerLimits();

class GameSettingsFile final
{
public:
    // modeNames: the game's variants, empty for a game without a mode list.
    GameSettingsFile(QString path, QStringList modeNames);

    GameSettings defaults() const;

    struct LoadResult {
        enum class Status {
            Read, // every field as stored
            Created, // no file, or an empty one: written anew with the defaults
            Repaired, // damaged fields fell back to their defaults, the others were kept
            Unreadable, // the file is there but cannot be read: defaults, the file left alone
        };
        GameSettings settings;
        Status status = Status::Read;
        QString message; // for Repaired and Unreadable, naming the file
    };
    // The stored choices. Each field that is missing, off its list or unreadable falls back
    // to its default alone, and the file is written again with what was kept.
    LoadResult load() const;
    FileResult save(const GameSettings &settings) const;

private:
    QString m_path;
    QStringList m_modeNames;
};

} // namespace kotohana
