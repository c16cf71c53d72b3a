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

QStringList modeNames()
{
    return {QStringLiteral("E:イージー"), QStringLiteral("N:ノーマル"), QStringLiteral("P:パニック")};
}

std::optional<Mode> mode(const QString &text)
{
    switch (modeNames().indexOf(text)) {
    case 0:
        return Mode{Task::Word, false};
    case 1:
        return Mode{Task::Colour, false};
    case 2:
        return Mode{Task::Word, true};
    default:
        return std::nullopt;
    }
}

Question next(RandomSource &random, Task task, bool panic)
{
    Question question;
    random.reseedFromClock();
    question.word = random.index(5) + 1;
    random.reseedFromClock();
    question.colour = random.index(5) + 1;
    question.task = task;
    if (panic) {
        random.reseedFromClock();
        question.task = random.index(2) == 0 ? Task::Word : Task::Colour;
    }
    return question;
}

bool judge(const QString &typed, const Question &question)
{
    const Colour &answer = colours()[std::size_t(question.task == Task::Word ? question.word : question.colour)];
    return typed == answer.kanji || typed == answer.hiragana;
}

} // namespace kotohana::KarapaniRules
