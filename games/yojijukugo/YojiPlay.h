#pragma once

#include "YojiRules.h"

#include "games/common/WordPlay.h"

namespace kotohana {

class RandomSource;

// One play of 四熟虫喰: an idiom in four windows, some eaten; the whole idiom is typed. Each
// question is made at the level the play has then, so a level chosen during the play rules
// from the next question on; "S:指定" opens the windows the player designated at that moment.
class YojiPlay final : public WordPlay
{
public:
    // idioms: one at least, of four characters each. designated: the windows the player opened
    // for "S:指定", read at every question, so it must outlive the play.
    YojiPlay(PlaySetup setup, QStringList idioms, const YojiRules::Windows &designated, RandomSource &random);

    // A new question, at the end of the countdown and after each right answer.
    void newQuestion();
    const YojiRules::Question &question() const { return m_question; }
    // Every window shows its character until the next question; the eaten stay eaten.
    void reveal() { m_revealed = true; }
    // "S:指定" chosen during the play: the question on screen loses all four windows.
    void closeWindows();
    // The character window (0 to 3) shows: its own when open or revealed, none when eaten.
    QString shown(int window) const;

    struct Checked {
        Outcome outcome;
        QString solved; // the windows as they stood at a right answer, an eaten one as "□"
    };
    Checked answer(const QString &typed);

    QString recordText() const override;

private:
    QStringList m_idioms;
    const YojiRules::Windows &m_designated;
    RandomSource &m_random;
    YojiRules::Question m_question;
    bool m_revealed = false;
};

} // namespace kotohana
