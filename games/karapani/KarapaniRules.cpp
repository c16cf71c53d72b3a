#include "KarapaniRules.h"

#include "platform/RandomSource.h"

namespace kotohana::KarapaniRules {

const std::array<Colour, 6> &colours()
{
    static const std::array<Colour, 6> table{{{QString(), QString(), 0},
                                              {QStringLiteral("赤"), QStringLiteral("あか"), 0x0000FF},
                                              {QStringLiteral("青"), QStringLiteral("あお"), 0xFF0000},
                                              {QStringLiteral("黄"), QStringLiteral("き"), 0x00C0C0},
                                              {QStringLiteral("緑"), QStringLiteral("みどり"), 0x00C000},
                                              {QStringLiteral("黒"), QStringLiteral("くろ"), 0x000000}}};
    return table;
}

Question next(RandomSource &random, Task task, bool panic)
{
    Question question;
    random.reseedFromClock();
    question.word = random.index(5);
    random.reseedFromClock();
    question.colour = random.index(5);
    question.task = task;
    if (panic) {
        random.reseedFromClock();
        question.task = random.index(2) == 1 ? Task::Word : Task::Colour;
    }
    return question;
}

bool judge(const QString &typed, const Question &question)
{
    const Colour &answer = colours()[std::size_t(question.task == Task::Word ? question.word : question.colour)];
    return typed == answer.kanji || typed == answer.hiragana;
}

} // namespace kotohana::KarapaniRules
