#include "TopicFiles.h"

#include "RensouRules.h"

#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace kotohana {
namespace {

constexpr int kLogFields = 4;

// Failures joined into one message, one a line.
void addFailure(QString &failure, const QString &message)
{
    if (message.isEmpty())
        return;
    if (!failure.isEmpty())
        failure += u'\n';
    failure += message;
}

} // namespace

TopicFiles::TopicFiles(const DataFolder &folder, QString topic)
    : m_folder(folder)
    , m_topic(std::move(topic))
{
}

QString TopicFiles::answersPath() const
{
    return m_folder.path(RensouRules::answerFileName(m_topic));
}

QString TopicFiles::logPath() const
{
    return m_folder.path(RensouRules::answerLogName(m_topic));
}

TopicFiles::Contents TopicFiles::open() const
{
    Contents contents;
    if (answersPath().isEmpty() || logPath().isEmpty()) {
        contents.failure = QStringLiteral("問い「%1」はファイルの名前に使えない文字を含むため、そのファイルを作れません。")
                               .arg(RensouRules::shownTopic(m_topic));
        return contents;
    }
    for (const QString &path : {answersPath(), logPath()}) {
        if (!QFileInfo::exists(path))
            addFailure(contents.failure, TextFile::truncate(path).message);
    }
    // A file that cannot be read gives no entries; it is only reported, never written over.
    const TextFile::ReadResult answers = TextFile::read(answersPath());
    addFailure(contents.failure, answers.message);
    contents.answers = ListFormat::entries(answers.text);
    const TextFile::ReadResult log = TextFile::read(logPath());
    addFailure(contents.failure, log.message);
    for (QStringView line : TextFile::lines(log.text)) {
        const ListFormat::Fields fields = ListFormat::splitFields(line);
        if (fields.size() != kLogFields)
            continue;
        QStringList entry;
        for (QStringView field : fields)
            entry.append(field.toString());
        contents.log.push_back(std::move(entry));
    }
    return contents;
}

FileResult TopicFiles::addAnswer(const QString &answer) const
{
    return TextFile::appendLine(answersPath(), answer);
}

FileResult TopicFiles::logAnswer(const QDateTime &when, int playOfTheDay, const QString &answer) const
{
    ListFormat::LineWriter line;
    line.text(Formats::date(when.date()))
        .text(Formats::time(when.time()))
        .text(QStringLiteral("%1").arg(playOfTheDay, 3, 10, QLatin1Char('0')))
        .text(answer);
    return TextFile::appendLine(logPath(), line.line());
}

FileResult TopicFiles::clear() const
{
    FileResult cleared = TextFile::truncate(answersPath());
    const FileResult log = TextFile::truncate(logPath());
    if (cleared.ok())
        return log;
    if (!log.ok())
        addFailure(cleared.message, log.message);
    return cleared;
}

} // namespace kotohana
