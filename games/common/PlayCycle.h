#pragma once

#include <QString>

#include <optional>

namespace kotohana {

// 1 = a play of fixed length in seconds ("秒数"), 0 = a play of a fixed number of answers ("答数").
enum class TimingMode { Count = 0, Time = 1 };

// The course of one play, shared by every game: Idle → Countdown (three ticks) → Playing →
// Ended. It is driven by the window's timer ticks and the player's answers, with the times of
// a monotonic clock in milliseconds, so a play running across midnight ends on time.
class PlayCycle final
{
public:
    enum class State { Idle, Countdown, Playing, Ended };

    State state() const { return m_state; }
    bool running() const { return m_state == State::Countdown || m_state == State::Playing; }
    bool playing() const { return m_state == State::Playing; }

    // "スタート": the countdown begins at the next tick; counters start again from 0.
    // The play keeps the timing mode and limits it starts with.
    void start(TimingMode mode, int seconds, int answers);

    // A countdown tick: the picture to show (1 to 3), or 0 outside a countdown. The play
    // begins at the third.
    int countdownTick(qint64 nowMs);

    struct TimeReading {
        qint64 restSeconds = 0;
        double barFraction = 0; // of the full bar, 0 to 1
        bool ended = false;
    };
    // A tick of the time-mode clock; nothing outside a time-mode play.
    std::optional<TimeReading> timeTick(qint64 nowMs);
    // A tick of the count-mode clock: the elapsed seconds as shown, "0.0".
    std::optional<QString> countTick(qint64 nowMs);

    // A judged answer. True when it ended the play (the last answer of a count-mode play).
    bool answer(bool correct);

    TimingMode mode() const { return m_mode; }
    int limitSeconds() const { return m_limitSeconds; }
    int limitAnswers() const { return m_limitAnswers; }
    qint64 answers() const { return m_ok + m_ng; }
    qint64 correct() const { return m_ok; }
    qint64 wrong() const { return m_ng; }

    // The play's length: the limit in time mode, the elapsed seconds last shown in count mode.
    double playSeconds() const;
    // Correct answers per answer, 0 with none.
    double correctRate() const;
    // count per second of the play, 0 for a play too short to show any time.
    double speed(qint64 count) const;

private:
    void end();

    State m_state = State::Idle;
    TimingMode m_mode = TimingMode::Time;
    int m_limitSeconds = 60;
    int m_limitAnswers = 10;
    int m_step = 0;
    qint64 m_endSecond = 0;
    qint64 m_startMs = 0;
    QString m_shownElapsed = QStringLiteral("0.0");
    qint64 m_ok = 0;
    qint64 m_ng = 0;
};

} // namespace kotohana
