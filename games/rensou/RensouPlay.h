#pragma once

#include "RensouRules.h"
#include "TopicFiles.h"

#include "games/common/WordPlay.h"

#include <QDate>
#include <QDateTime>

#include <array>
#include <memory>

namespace kotohana {

class DataFolder;

// The fields of 連想心理's history line.
namespace RensouField {
enum Id : int { Date, Time, Topic, Answers, New, Existing, Duplicate, Characters, Speed, Seconds };
}

// There is no wrong answer, and in count mode every play has as many answers: a personal best
// has more new answers, in either mode, than the earlier plays of its topic (to a topic never
// played before every answer is new).
inline constexpr std::array<HistoryColumn, 10> kRensouTable = [] {
    using namespace RensouField;
    using C = HistoryColumn;
    using Source = HistoryColumn::Source;
    return std::array{C::date(1100),
                      C::time(680),
                      C::text(Topic, Source::Topic, u"問題", 1900, Qt::AlignLeft),
                      C::number(Answers, Source::Answers, u"計", 450, C::Answered),
                      C::number(New, Source::Own, u"新", 400, C::BestAlone),
                      C::number(Existing, Source::Own, u"既", 400),
                      C::number(Duplicate, Source::Own, u"重", 400),
                      C::number(Characters, Source::Characters, u"字数", 570),
                      C::speed(Speed, 950),
                      C::seconds(Seconds, 980)};
}();
static_assert(inOrder(kRensouTable));

// The layout of 連想心理's history.
inline HistoryLayout rensouHistory()
{
    return HistoryLayout(kRensouTable);
}

// One play of 連想心理: answers to the play's topic, each new, existing or a duplicate. New
// answers join the topic's answers and every answer its log, whatever topic the window shows
// meanwhile.
class RensouPlay final : public WordPlay
{
public:
    struct Prepared {
        std::unique_ptr<RensouPlay> play;
        QString failure; // why there is no play: a topic file that could not be made or read
    };
    // The play of setup's topic: its files are made ready and read, and the play numbered
    // among today's plays of the topic. No play when a file fails.
    static Prepared prepare(const PlaySetup &setup, const DataFolder &folder, QDate today);

    RensouPlay(PlaySetup setup, TopicFiles files, QStringList existing, int playOfTheDay);

    struct Given {
        Outcome outcome;
        RensouRules::Kind kind = RensouRules::Kind::New;
        QString text; // the answer as the play keeps it
    };
    // An answer typed at the time now. Nothing counts outside a play, nor an answer the files
    // cannot hold (the outcome says why).
    Given answer(const QString &typed, const QDateTime &now);

    const QString &topic() const { return setup().topic; }
    // The topic's answers before this play and the new ones of this play.
    const QStringList &existing() const { return m_existing; }
    int playOfTheDay() const { return m_playOfTheDay; }
    int newCount() const { return m_new; }
    int existingCount() const { return m_existingCount; }
    int duplicateCount() const { return m_duplicates; }
    int total() const { return m_new + m_existingCount + m_duplicates; }

    // There are no wrong answers: any answer of any class makes the play worth saving.
    bool answered() const override { return total() > 0; }
    QString recordText() const override { return conditions(); }
    // No answer is wrong: the rate of a play with answers is whole, "100%".
    QString endRate() const override { return answered() ? QStringLiteral("100%") : WordPlay::endRate(); }

protected:
    QString ownField(int field) const override;

private:
    TopicFiles m_files;
    QStringList m_existing;
    QStringList m_given;
    int m_playOfTheDay = 1;
    int m_new = 0;
    int m_existingCount = 0;
    int m_duplicates = 0;
};

} // namespace kotohana
