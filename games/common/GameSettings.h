#pragma once

#include "platform/FileResult.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kotohana {

// The choices of a game window's "ゲーム設定" frame, kept in the game's settings file as one
// line: answers, seconds, [game mode,] "秒数" or "答数", automatic saving.
struct GameSettings {
    int answers = 10;               // Kaisu
    int seconds = 60;               // Jikan
    QString modeName;               // the game's own variant; empty for games without one
    QString timingName = QStringLiteral("秒数");
    int autoSave = 1;

    friend bool operator==(const GameSettings &, const GameSettings &) = default;
};

class GameSettingsFile final
{
public:
    // modeNames: the game's variants, empty for a game without a mode list.
    GameSettingsFile(QString path, QStringList modeNames);

    GameSettings defaults() const;
    // The stored choices. A missing, empty or damaged file gives the defaults and is
    // written anew with them.
    GameSettings load() const;
    FileResult save(const GameSettings &settings) const;

private:
    std::optional<GameSettings> parse() const;

    QString m_path;
    QStringList m_modeNames;
};

} // namespace kotohana
