#include "RensouPlay.h"

#include "platform/Formats.h"
#include "platform/ShiftJis.h"

namespace kotohana {

RensouPlay::Prepared RensouPlay::prepare(const PlaySetup &setup, const DataFolder &folder, QDate today)
{
    TopicFiles files(folder, setup.topic);
    TopicFiles::Contents contents = files.open();
    if (!contents.ok())
        return {nullptr, contents.failure};
    const int number = RensouRules::playOfTheDay(contents.log, Formats::date(today));
    return {std::make_unique<RensouPlay>(setup, std::move(files), std::move(contents.answers), number), {}};
}

RensouPlay::RensouPlay(PlaySetup setup, TopicFiles files, QStringList existing, int playOfTheDay)
    : WordPlay(std::move(setup), kRensouTable)
    , m_files(std::move(files))
    , m_existing(std::move(existing))
    , m_playOfTheDay(playOfTheDay)
{
}

RensouPlay::Given RensouPlay::answer(const QString &typed, const QDateTime &now)
{
    Given given;
    given.text = RensouRules::storedForm(cleaned(typed));
    if (!playing() || given.text.isEmpty())
        return given;
    if (const std::optional<char32_t> bad = ShiftJis::firstUnencodable(given.text)) {
        given.outcome.message = QStringLiteral("%1 は保存できない文字です。別の言葉で答えてください。")
                                    .arg(ShiftJis::describeCharacter(*bad));
        given.outcome.title = RensouRules::game().name();
        return given;
    }
    given.kind = RensouRules::classify(given.text, m_given, m_existing);
    QString failure;
    switch (given.kind) {
    case RensouRules::Kind::Duplicate:
        ++m_duplicates;
        break;
    case RensouRules::Kind::Existing:
        ++m_existingCount;
        break;
    case RensouRules::Kind::New:
        ++m_new;
        failure = m_files.addAnswer(given.text).message;
        m_existing.append(given.text);
        break;
    }
    m_given.append(given.text);
    const FileResult logged = m_files.logAnswer(now, m_playOfTheDay, given.text);
    if (!logged.ok())
        failure += (failure.isEmpty() ? QString() : QStringLiteral("\n")) + logged.message;
    addTyped(given.text.size());
    // Every answer counts towards the count-mode limit.
    given.outcome = judged(true);
    if (!failure.isEmpty()) {
        given.outcome.message = failure;
        given.outcome.title = RensouRules::game().name();
    }
    return given;
}

QString RensouPlay::ownField(int field) const
{
    Q_ASSERT(field >= RensouField::New && field <= RensouField::Duplicate);
    const int counts[] = {m_new, m_existingCount, m_duplicates};
    return QString::number(counts[field - RensouField::New]);
}

} // namespace kotohana
