#include "YojiRules.h"

#include "platform/RandomSource.h"

namespace kotohana::YojiRules {

QStringList idioms(const QStringList &entries)
{
    QStringList result;
    for (const QString &entry : entries) {
        if (entry.size() >= 4)
            result.append(entry.left(4));
    }
    return result;
}

bool designatedLevel(const QString &level)
{
    return level.startsWith(u'S');
}

Question make(const QStringList &idioms, const QString &level, const Windows &designated, RandomSource &random)
{
    random.reseedFromClock();
    Question question;
    question.idiom = idioms.at(random.index(int(idioms.size())));
    if (designatedLevel(level)) {
        question.open = designated;
        return question;
    }
    int eaten = level.left(1).toInt();
    if (level.startsWith(u'R'))
        eaten = int(4 * random.next());
    question.open = {true, true, true, true};
    random.reseedFromClock();
    QList<int> pool{0, 1, 2, 3};
    for (int i = 0; i < eaten && !pool.isEmpty(); ++i)
        question.open[std::size_t(pool.takeAt(int(pool.size() * random.next())))] = false;
    return question;
}

} // namespace kotohana::YojiRules
