#include "RensouRules.h"

#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/RandomSource.h"
#include "platform/ShiftJis.h"

#include <algorithm>

namespace kotohana::RensouRules {

namespace {

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

std::optional<QChar> forbiddenCharacter(const QString &topic)
{
    std::optional<QChar> found;
    for (QChar c : QStringLiteral("\\/:,;*?\"<>|")) {
        if (topic.contains(c))
            found = c;
    }
    const auto control = std::find_if(topic.rbegin(), topic.rend(), isControl);
    if (control != topic.rend())
        found = *control;
    return found;
}

QString shownTopic(const QString &topic)
{
    QString shown = topic;
    std::replace_if(shown.begin(), shown.end(), isControl, QChar(QChar::ReplacementCharacter));
    return shown;
}

bool namesProgramFile(const QString &topic, const QStringList &programFiles)
{
    if (topic.endsWith(QStringLiteral("_履歴"), Qt::CaseInsensitive))
        return true;
    for (const QString &file : {answerFileName(topic), answerLogName(topic)}) {
        if (programFiles.contains(file, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString skipReason(const QString &topic, const QStringList &programFiles)
{
    // A topic names files of the data folder: one that could reach outside it is skipped.
    if (const std::optional<QChar> bad = forbiddenCharacter(topic)) {
        const QString character = isControl(*bad) ? QStringLiteral("制御文字 ") + ShiftJis::codePoint(bad->unicode())
                                                  : QString(*bad);
        return shownTopic(topic) + QStringLiteral(" に含まれる ") + character + QStringLiteral(" は使えませんので飛ばします");
    }
    if (!DataFolder::acceptsName(answerFileName(topic)) || !DataFolder::acceptsName(answerLogName(topic)))
        return topic + QStringLiteral(" はファイルの名前に使えないため飛ばします");
    if (namesProgramFile(topic, programFiles))
        return topic + QStringLiteral(" はこのソフトのファイルと同じ名前になるため使えませんので飛ばします");
    return {};
}

QString skippedTopicsMessage(const QStringList &reasons)
{
    QStringList lines = reasons.first(std::min(reasons.size(), kMostListedSkips));
    if (reasons.size() > kMostListedSkips)
        lines.append(QStringLiteral("ほかに %1 件の問いも飛ばします").arg(reasons.size() - kMostListedSkips));
    return lines.join(u'\n');
}

QString answerFileName(const QString &topic)
{
    return topic + QStringLiteral(".txt");
}

QString answerLogName(const QString &topic)
{
    return topic + QStringLiteral("_履歴.txt");
}

int drawTopic(RandomSource &random, int count)
{
    random.reseedFromClock();
    return random.index(count);
}

QString storedForm(const QString &answer)
{
    return ListFormat::quotableText(answer).replace(u',', u'，');
}

Kind classify(const QString &answer, const QStringList &thisPlay, const QStringList &existing)
{
    if (thisPlay.contains(answer))
        return Kind::Duplicate;
    if (existing.contains(answer))
        return Kind::Existing;
    return Kind::New;
}

int playOfTheDay(const std::vector<QStringList> &log, const QString &today)
{
    if (log.empty() || log.back().value(0) != today)
        return 1;
    // A play lasts more than its three-second countdown, so a day holds fewer than 30,000 plays;
    // a larger number, hand-written in the log, is no play of the day.
    constexpr int kMostPlaysADay = 30000;
    const std::optional<int> last = Formats::wholePartWithin(Formats::numericValue(log.back().value(2)), 0, kMostPlaysADay);
    return last.value_or(0) + 1;
}

} // namespace kotohana::RensouRules
