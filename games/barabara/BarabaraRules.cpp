#include "BarabaraRules.h"

#include "platform/RandomSource.h"

namespace kotohana::BarabaraRules {

Question make(const QStringList &words, RandomSource &random)
{
    random.reseedFromClock();
    Question question;
    question.answer = words.at(random.index(int(words.size())));
    // Characters, not UTF-16 units: a character outside the basic plane stays whole.
    QList<uint> pool = question.answer.toUcs4();
    while (!pool.isEmpty()) {
        const uint character = pool.takeAt(random.index(int(pool.size())));
        const auto c = char32_t(character);
        question.scrambled += QString::fromUcs4(&c, 1);
    }
    return question;
}

} // namespace kotohana::BarabaraRules
