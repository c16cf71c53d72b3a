#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kotohana {

class RandomSource;

// The rules of カラパニ: a colour word drawn in a colour, to be read as written or as drawn.
namespace KarapaniRules {

struct Colour {
    QString kanji;
    QString hiragana;
    quint32 drawing; // &HBBGGRR
};
// 赤 青 黄 緑 黒, indices 1 to 5.
const std::array<Colour, 6> &colours();

enum class Task { Word = 1, Colour = 2 };

// The modes in the order of the mode list: "E:イージー" (the word), "N:ノーマル" (the colour),
// "P:パニック" (either, drawn per question).
QStringList modeNames();

struct Mode {
    Task task = Task::Word;
    bool panic = false; // the task is drawn for each question
};
// What a mode asks; nothing for a text that is no mode.
std::optional<Mode> mode(const QString &text);

struct Question {
    int word = 1;
    int colour = 1;
    Task task = Task::Word;
};

// Word and colour drawn independently; in panic mode the task is drawn too. Every draw is
// preceded by reseeding from the clock.
Question next(RandomSource &random, Task task, bool panic);

// The answer is the kanji or the hiragana of the word (task 1) or of the colour (task 2),
// exactly as written.
bool judge(const QString &typed, const Question &question);

} // namespace KarapaniRules
} // namespace kotohana
