#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kotohana {

// The rules of 連想心理: free answers to a topic, each new, existing or a duplicate.
namespace RensouRules {

// A topic names two files of the data folder, so it may hold none of \ / : , ; * ? " < > |.
// The last of them in that order, when the topic holds any.
std::optional<QChar> forbiddenCharacter(const QString &topic);

// Whether a topic's files would be one of the program's own files (names compared without
// regard to case) or another topic's log: such a topic would overwrite them.
bool namesProgramFile(const QString &topic, const QStringList &programFiles);

QString answerFileName(const QString &topic);   // 一番食べたいもの.txt
QString answerLogName(const QString &topic);    // 一番食べたいもの_履歴.txt

enum class Kind { New, Existing, Duplicate };

// Duplicate when given already in this play, existing when given to the topic before, else new.
Kind classify(const QString &answer, const QStringList &thisPlay, const QStringList &existing);

// The number of today's play of a topic, from the topic's answer log (date, time, play, answer
// per line): one more than the last line's when it is of today, else 1.
int playOfTheDay(const std::vector<QStringList> &log, const QString &today);

} // namespace RensouRules
} // namespace kotohana
