#include "RensouRules.h"

#include "platform/Formats.h"

namespace kotohana::RensouRules {

std::optional<QChar> forbiddenCharacter(const QString &topic)
{
    std::optional<QChar> found;
    for (QChar c : QStringLiteral("\\/:,;*?\"<>|")) {
        if (topic.contains(c))
            found = c;
    }
    return found;
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

QString answerFileName(const QString &topic)
{
    return topic + QStringLiteral(".txt");
}

QString answerLogName(const QString &topic)
{
    return topic + QStringLiteral("_履歴.txt");
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
    return int(Formats::numericValue(log.back().value(2))) + 1;
}

} // namespace kotohana::RensouRules
