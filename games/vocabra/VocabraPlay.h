#pragma once

#include "games/common/WordPlay.h"

#include <QSet>
#include <QStringList>

#include <array>

namespace kotohana {

class RandomSource;

// The fields of ボキャブラ's history line.
namespace VocabraField {
enum Id : int { Date, Time, Correct, Wrong, Characters, Score, Rate, Speed, Seconds, Mode };
}

// The answers filter sums correct and wrong; the file keeps the mode's first character.
inline constexpr std::array<HistoryColumn, 10> kVocabraTable = [] {
    using namespace VocabraField;
    using C = HistoryColumn;
    return std::array{C::date(1400),
                      C::time(1000),
                      C::correct(Correct, 550, C::Answered | C::Best),
                      C::wrong(Wrong, 550, C::Answered),
                      C::number(Characters, C::Source::Characters, u"文字", 550),
                      C::number(Score, C::Source::Own, u"得点", 600),
                      C::rate(Rate, 870),
                      C::speed(Speed, 980),
                      C::seconds(Seconds, 980),
                      C::text(Mode, C::Source::ModeInitial, u"Ｍ", 340, Qt::AlignHCenter)};
}();
static_assert(inOrder(kVocabraTable));

// The layout of ボキャブラ's history.
inline HistoryLayout vocabraHistory()
{
    return HistoryLayout(kVocabraTable);
}

// One play of ボキャブラ: a kana or a pair of kana, answered by a word that contains them and
// scored by where they stand in it. Each question is drawn in the play's mode, so a mode
// chosen during the play asks from the next question on.
class VocabraPlay final : public WordPlay
{
public:
    // The kana list and the banned questions as the window read them; a question banned with
    // "不要" goes to the end of bannedFile, and comes again in this window all the same.
    VocabraPlay(PlaySetup setup, QStringList kana, QSet<QString> banned, QString bannedFile, RandomSource &random);

    // Whether the play's mode has a question left that is not banned.
    bool canAsk() const;
    // Draws the next question; when every question of the mode is banned, the question stays
    // and the answer is false.
    bool nextQuestion();
    const QString &question() const { return m_question; }

    struct Answered {
        Outcome outcome; // counted for a word judged right or wrong
        QString entry; // its line in this play's list: "らい _ すらいむ", "らい _ " when wrong
        bool asked = true; // false when no question was left to ask next
    };
    // Every Enter brings a new question; "不要" and the question itself count nothing.
    Answered answer(const QString &typed);

    // Right answers with the kana at the beginning, at the end and inside the word.
    const std::array<qint64, 3> &positions() const { return m_positions; }
    qint64 score() const { return m_score; }

    QString recordText() const override;
    // A play of only "不要" or the question itself typed something but answered nothing: it
    // has no rate to show.
    QString endRate() const override { return typed() > 0 && !answered() ? QString() : WordPlay::endRate(); }

protected:
    QString ownField(int field) const override;

private:
    QStringList m_kana;
    QSet<QString> m_banned;
    QString m_bannedFile;
    RandomSource &m_random;
    QString m_question;
    std::array<qint64, 3> m_positions{};
    qint64 m_score = 0;
};

} // namespace kotohana
