#include "Games.h"

#include "games/barabara/frmG3.h"
#include "games/karapani/frmG6.h"
#include "games/vocabra/frmG7.h"
#include "games/plamai/frmG1.h"
#include "games/rensou/frmG5.h"
#include "games/shiritori/frmG2.h"
#include "games/yojijukugo/frmG4.h"

#include <QStringList>

namespace kotohana::Games {
namespace {

struct Entry {
    const char16_t *name;
    const char *picture;
};

constexpr Entry kGames[] = {{u"プラマイ", "game_plamai"},     {u"しりとり", "game_shiritori"},
                            {u"バラバラ", "game_barabara"},   {u"四熟虫喰", "game_yojijukugo"},
                            {u"連想心理", "game_rensou"},     {u"カラパニ", "game_karapani"},
                            {u"ボキャブラ", "game_vocabra"}};

} // namespace

QString name(int number)
{
    return number >= 1 && number <= 7 ? QString::fromUtf16(kGames[number - 1].name) : QString();
}

QString picture(int number)
{
    return number >= 1 && number <= 7
        ? QStringLiteral(":/images/%1.svg").arg(QString::fromLatin1(kGames[number - 1].picture))
        : QString();
}

bool available(int number)
{
    return number >= 1 && number <= 7;
}

std::unique_ptr<GameWindow> create(int number, const Services &services, ProgramState &state)
{
    switch (number) {
    case 1:
        return std::make_unique<frmG1>(services, state);
    case 2:
        return std::make_unique<frmG2>(services, state);
    case 3:
        return std::make_unique<frmG3>(services, state);
    case 4:
        return std::make_unique<frmG4>(services, state);
    case 5:
        return std::make_unique<frmG5>(services, state);
    case 6:
        return std::make_unique<frmG6>(services, state);
    case 7:
        return std::make_unique<frmG7>(services, state);
    default:
        return nullptr;
    }
}

QStringList historyFiles()
{
    QStringList files;
    for (const char16_t *game : {u"プラマイ", u"しりとり", u"バラバラ", u"四熟虫喰", u"カラパニ", u"連想心理", u"ボキャブラ"})
        files.append(QString::fromUtf16(game) + QStringLiteral("履歴.txt"));
    return files;
}

} // namespace kotohana::Games
