#pragma once

#include "History.h"

#include "platform/FileResult.h"

#include <QDateTime>
#include <QString>

namespace kotohana {

class Play;
class RecordStore;

// Where a finished play goes: the game's history file and the play-record file データ.txt.
struct SaveTarget {
    QString item; // the game's short name, the item of the play record
    const HistoryFile &history;
    RecordStore &records; // データ.txt
};

struct SavedPlay {
    FileResult result; // on failure the message names the file that could not be written
    HistoryRow line; // the whole history line written: date, time and the game's fields
};

// Saves a finished play with one reading of the clock: one line at the end of the history
// and one record at the end of データ.txt. Both files gain the play or neither does: when
// the record cannot be written, the history line is taken back.
SavedPlay savePlay(const Play &play, const SaveTarget &target, const QDateTime &now);

} // namespace kotohana
