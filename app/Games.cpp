#include "Games.h"

#include "games/barabara/frmG3.h"
#include "games/common/GameCatalog.h"
#include "games/karapani/frmG6.h"
#include "games/plamai/frmG1.h"
#include "games/rensou/frmG5.h"
#include "games/shiritori/frmG2.h"
#include "games/vocabra/frmG7.h"
#include "games/yojijukugo/frmG4.h"
#include "records/Items.h"

#include <QStringList>

namespace kotohana::Games {
namespace {

using Factory = std::unique_ptr<GameWindow> (*)(const Services &, ProgramState &);

template <typename Window>
std::unique_ptr<GameWindow> make(const Services &services, ProgramState &state)
{
    return std::make_unique<Window>(services, state);
}

// The windows of the games, by game number.
constexpr Factory kWindows[] = {make<frmG1>, make<frmG2>, make<frmG3>, make<frmG4>, make<frmG5>, make<frmG6>, make<frmG7>};
static_assert(std::size(kWindows) == GameCatalog::kGames.size());

bool known(int number)
{
    return number >= 1 && number <= count();
}

} // namespace

int count()
{
    return int(GameCatalog::kGames.size());
}

QString name(int number)
{
    return known(number) ? GameCatalog::game(number).name() : QString();
}

QString picture(int number)
{
    return known(number) ? QStringLiteral(":/images/%1.svg").arg(QString::fromLatin1(GameCatalog::game(number).picture))
                         : QString();
}

std::unique_ptr<GameWindow> create(int number, const Services &services, ProgramState &state)
{
    return known(number) ? kWindows[number - 1](services, state) : nullptr;
}

QStringList historyFiles()
{
    // The new start empties them in the record book's item order.
    QStringList files;
    for (const QString &item : itemNames()) {
        for (const GameInfo &game : GameCatalog::kGames) {
            if (game.name() == item)
                files.append(game.historyFileName());
        }
    }
    return files;
}

} // namespace kotohana::Games
