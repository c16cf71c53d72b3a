#pragma once

#include "platform/FileResult.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace kotohana {

class DataFolder;

// The two files a topic keeps in the data folder: its answers (every answer that was new when
// it was given, one a line) and its log (a line for every answer given: date, time, the play
// of the day and the answer).
class TopicFiles final
{
public:
    TopicFiles(const DataFolder &folder, QString topic);

    struct Contents {
        QStringList answers;
        std::vector<QStringList> log; // the four fields of each line
        QString failure; // what could not be created or read, naming the files
        bool ok() const { return failure.isEmpty(); }
    };
    // Makes the topic ready for use: a missing file is created empty (a file already there is
    // left as it is), then both are read. A file that cannot be read is reported and left alone.
    Contents open() const;

    FileResult addAnswer(const QString &answer) const;
    FileResult logAnswer(const QDateTime &when, int playOfTheDay, const QString &answer) const;
    // "履歴削除": both files stay, emptied.
    FileResult clear() const;

private:
    QString answersPath() const;
    QString logPath() const;

    const DataFolder &m_folder;
    QString m_topic;
};

} // namespace kotohana
