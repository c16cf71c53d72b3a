#pragma once

#include "History.h"
#include "PlayCycle.h"

#include <QString>

namespace kotohana {

// The settings a play starts with, taken when "スタート" is pressed. Whatever the controls
// show later, the play is judged and saved with these.
struct PlaySetup {
    TimingMode timing = TimingMode::Time;
    int seconds = 60; // the time limit of a time-mode play
    int answers = 10; // the answer limit of a count-mode play
    QString mode; // the game's own variant; empty for a game without one
    QString topic; // 連想心理's topic

    // "秒数" or "答数".
    QString timingName() const;
    // The limit the play has: its seconds in time mode, its answers in count mode.
    QString limitText() const;
};

// What one answer did, for the window to show.
struct Outcome {
    bool counted = false; // it counts as an answer (right or wrong)
    bool correct = false;
    bool ended = false; // it was the last answer of a count-mode play
    QString message; // a message to show before anything else, with its title;
    QString title; // empty when there is none
};

// One play of a game, from "スタート" to the end and its save: the settings it started with,
// its clock and counters, and what the game saves of it. A game's play adds its question
// and judges its answers.
class Play
{
public:
    // table: the game's history table.
    explicit Play(PlaySetup setup, HistoryTable table = {});
    virtual ~Play() = default;
    Play(const Play &) = delete;
    Play &operator=(const Play &) = delete;

    const PlaySetup &setup() const { return m_setup; }
    PlayCycle &cycle() { return m_cycle; }
    const PlayCycle &cycle() const { return m_cycle; }
    bool playing() const { return m_cycle.state() == PlayCycle::State::Playing; }

    // The game mode chosen while the play runs applies from the next question on; once the
    // play is over, a change of the list no longer touches it.
    void changeMode(const QString &mode);

    // The numerator of the speed: answers, or typed characters in the word games.
    virtual qint64 speedCount() const = 0;
    // Whether anything was answered, so that the play may be saved.
    virtual bool answered() const { return m_cycle.answers() > 0; }
    // The fields of the history line after its date and time: by default each field of the
    // game's table from where its source says.
    virtual HistoryRow historyFields() const;
    // What the play record says of the play's conditions.
    virtual QString recordText() const = 0;
    // The rate shown at the end of the play: correct answers of the answers given, "0.0%"
    // with none.
    virtual QString endRate() const;

    // Saved only once it is over (never during a countdown or a play) and when it has answers.
    bool canSave() const { return !m_cycle.running() && answered(); }
    double seconds() const { return m_cycle.playSeconds(); }
    double speed() const { return m_cycle.speed(speedCount()); }
    // "秒数 : 60" or "答数 : 20", the start of every record text.
    QString conditions() const;
    // The seconds of the history: "60秒", "41.3秒".
    QString secondsField() const;

protected:
    // The text of a field of the game's table whose source is the game's own.
    virtual QString ownField(int field) const;
    // Counts a judged answer: the outcome of a right or wrong answer, ended when it was the last.
    Outcome judged(bool correct);

private:
    QString fieldText(const HistoryColumn &column) const;

    PlaySetup m_setup;
    HistoryTable m_table;
    PlayCycle m_cycle;
};

} // namespace kotohana
