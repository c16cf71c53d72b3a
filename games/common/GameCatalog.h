#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace kotohana {

// The seven games, by game number (1 = プラマイ ... 7 = ボキャブラ): the short name that is
// the item of every play record and the stem of the game's file names, the window's caption,
// its object name and its launcher picture. The game windows and the launcher take them from
// here; the record book keeps its own order of the items.
struct GameInfo {
    const char16_t *shortName;
    const char16_t *caption;
    const char *objectName;
    const char *picture;

    QString name() const { return QString::fromUtf16(shortName); }
    QString title() const { return QString::fromUtf16(caption); }
    QString historyFileName() const { return name() + QStringLiteral("履歴.txt"); }
    QString settingsFileName() const { return name() + QStringLiteral("設定.txt"); }
};

namespace GameCatalog {

inline constexpr std::array<GameInfo, 7> kGames{{
    {u"プラマイ", u"プラマイ±タイピング", "frmG1", "game_plamai"},
    {u"しりとり", u"しりとりタイピング", "frmG2", "game_shiritori"},
    {u"バラバラ", u"バラバラタイピング", "frmG3", "game_barabara"},
    {u"四熟虫喰", u"四熟虫喰タイピング", "frmG4", "game_yojijukugo"},
    {u"連想心理", u"連想心理タイピング", "frmG5", "game_rensou"},
    {u"カラパニ", u"カラパニタイピング", "frmG6", "game_karapani"},
    {u"ボキャブラ", u"ボキャブラタイピング", "frmG7", "game_vocabra"},
}};

// Every game's history and settings files.
inline QStringList fileNames()
{
    QStringList names;
    for (const GameInfo &game : kGames)
        names << game.historyFileName() << game.settingsFileName();
    return names;
}

// The game of that number; number must be 1 to 7.
inline const GameInfo &game(int number)
{
    return kGames.at(std::size_t(number - 1));
}

} // namespace GameCatalog
} // namespace kotohana
