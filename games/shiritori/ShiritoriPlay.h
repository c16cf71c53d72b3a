#pragma once

#include "ShiritoriRules.h"

#include "games/common/WordPlay.h"

#include <QStringList>

namespace kotohana {

class RandomSource;

// しりとり's history: the count is the dictionary's size.
inline constexpr auto kShiritoriTable = wordTable(u"辞書", HistoryColumn::Source::Own, u"秒数");

// One play of しりとり against the computer. The words it knows are the dictionary as it stood
// at "スタート"; a new word of the player's goes to the end of the dictionary file at once and
// is offered by the computer from the next play on.
class ShiritoriPlay final : public WordPlay
{
public:
    // words: the dictionary's entries, one at least; new words are appended to dictionaryPath.
    ShiritoriPlay(PlaySetup setup, QStringList words, QString dictionaryPath, RandomSource &random);

    // The computer's first word, at the end of the countdown.
    void firstWord();
    const QString &computerWord() const { return m_computerWord; }

    struct Reply {
        Outcome outcome;
        QStringList chained; // what the chain gains: the player's word, then the computer's
    };
    // A typed answer, cleaned and read as full-width hiragana.
    Reply answer(const QString &typed);

    // The words written to the dictionary during this play.
    qint64 learned() const { return m_learned; }
    // The dictionary's size now: the words of the start and those learned since.
    qint64 dictionarySize() const { return m_dictionary.words().size() + m_learned; }

    QString recordText() const override;

protected:
    QString ownField(int field) const override;

private:
    // Writes a word the dictionary lacks at its end: what went wrong, naming the file, or
    // nothing when the word was learned.
    QString learn(const QString &word);

    ShiritoriRules::WordIndex m_dictionary;
    QString m_dictionaryPath;
    RandomSource &m_random;
    QString m_computerWord;
    QStringList m_accepted;
    qint64 m_learned = 0;
};

} // namespace kotohana
