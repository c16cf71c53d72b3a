#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace kotohana {

class RandomSource;

// The rules of ボキャブラ: one kana or a pair of kana, and a word that contains them.
namespace VocabraRules {

// Entries 1 to 46 of the kana list are the basic kana; a pair never takes two kana from
// beyond them.
constexpr int kBasicKana = 46;

// The modes in the order of the mode list: "１文字" (one kana), "２文字" (a pair).
QStringList modeNames();
// Every mode but one kana asks pairs.
bool asksPairs(const QString &mode);

// Whether any question is left that is not banned.
bool canAsk(const QStringList &kana, bool pairs, const QSet<QString> &banned);

// A question not on the banned list, each index drawn after reseeding from the clock; nothing
// when every possible question is banned.
std::optional<QString> nextQuestion(const QStringList &kana, bool pairs, const QSet<QString> &banned, RandomSource &random);

enum class Answer {
    Banish, // "不要": the question goes on the banned list
    Itself, // the question typed back: counts nothing
    Beginning, // 1 point
    End, // 2 points
    Inside, // 3 points
    Wrong, // −1 point
};

Answer judge(const QString &typed, const QString &question);
int points(Answer answer);

} // namespace VocabraRules
} // namespace kotohana
