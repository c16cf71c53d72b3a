#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace kotohana {

class RandomSource;

// The rules of 四熟虫喰: a four-character idiom with some of its four windows eaten.
namespace YojiRules {

using Windows = std::array<bool, 4>; // open (true) or eaten

struct Question {
    QString idiom;
    Windows open{};
};

// The idioms of the dictionary's entries: their first four characters. An entry shorter than
// four characters is no idiom and is left out.
QStringList idioms(const QStringList &entries);

// A question at a level ("1:イージー" eats one window ... "R:ランダム" 0 to 3 drawn anew,
// "S:指定" keeps the designated windows open, "0:隠さない" none).
Question make(const QStringList &idioms, const QString &level, const Windows &designated, RandomSource &random);

bool designatedLevel(const QString &level);

} // namespace YojiRules
} // namespace kotohana
