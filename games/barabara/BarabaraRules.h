#pragma once

#include <QString>
#include <QStringList>

namespace kotohana {

class RandomSource;

// The rules of バラバラ: a dictionary word with its characters in random order.
namespace BarabaraRules {

struct Question {
    QString answer;
    QString scrambled;
};

// Reseeds from the clock, draws a word, then draws its characters one by one from a pool, so
// every arrangement is equally likely (the word itself among them).
Question make(const QStringList &words, RandomSource &random);

} // namespace BarabaraRules
} // namespace kotohana
