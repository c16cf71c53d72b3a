#pragma once

#include "games/common/GameCatalog.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kotohana {

class RandomSource;

// The rules of 連想心理: free answers to a topic, each new, existing or a duplicate.
namespace RensouRules {

// The game's entry of the catalogue; its name is also the title of the game's messages.
inline const GameInfo &game()
{
    return GameCatalog::game(5);
}

// A topic names two files of the data folder, so it may hold none of \ / : , ; * ? " < > |
// and no control character (the system would cut the file's name at a NUL). The last of them
// in that order, control characters last, when the topic holds any.
std::optional<QChar> forbiddenCharacter(const QString &topic);

// The topic as a message shows it: a control character as the replacement character �.
QString shownTopic(const QString &topic);

// Whether a topic's files would be one of the program's own files (names compared without
// regard to case) or another topic's log: such a topic would overwrite them.
bool namesProgramFile(const QString &topic, const QStringList &programFiles);

// Why a topic of the topic list cannot be offered, for the message that skips it; empty when
// it can be.
QString skipReason(const QString &topic, const QStringList &programFiles);
// The one message for all the topics skipped: their reasons a line each, the first
// kMostListedSkips of them, then how many more there are.
constexpr qsizetype kMostListedSkips = 10;
QString skippedTopicsMessage(const QStringList &reasons);

QString answerFileName(const QString &topic); // 一番食べたいもの.txt
QString answerLogName(const QString &topic); // 一番食べたいもの_履歴.txt

// "スタート" draws the topic: the place (from 0) of one of count topics, after reseeding.
int drawTopic(RandomSource &random, int count);

// An answer as the topic's files keep it. Its file has one list field a line and its log
// quotes it, so a comma or a double quote would cut it apart: they are kept in their
// full-width forms ， and ＂, and the answer compares equal to itself when read back.
QString storedForm(const QString &answer);

enum class Kind { New, Existing, Duplicate };

// Duplicate when given already in this play, existing when given to the topic before, else new.
Kind classify(const QString &answer, const QStringList &thisPlay, const QStringList &existing);

// The number of today's play of a topic, from the topic's answer log (date, time, play, answer
// per line): one more than the last line's when it is of today, else 1 (also when the last
// line's number is more than a day can hold).
int playOfTheDay(const std::vector<QStringList> &log, const QString &today);

} // namespace RensouRules
} // namespace kotohana
