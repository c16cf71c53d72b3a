#include "SavePlay.h"

#include "Play.h"

#include "platform/Formats.h"
#include "platform/TextFile.h"
#include "records/RecordStore.h"

namespace kotohana {

SavedPlay savePlay(const Play &play, const SaveTarget &target, const QDateTime &now)
{
    SavedPlay saved;
    const QString date = Formats::date(now.date());
    const QString time = Formats::time(now.time());
    saved.line = HistoryRow{date, time} + play.historyFields();
    if (!target.records.refusal().isEmpty()) {
        saved.result = FileResult::failed(target.records.refusal());
        return saved;
    }

    TextFile::Appended historyLine;
    saved.result = target.history.append(saved.line, &historyLine);
    if (!saved.result.ok())
        return saved;
    saved.result = target.records.append(PlayRecord{date, time, target.item, float(play.seconds()), play.recordText()});
    if (!saved.result.ok()) {
        const FileResult undone = TextFile::takeBack(target.history.path(), historyLine);
        if (!undone.ok())
            saved.result.message += QStringLiteral("\n") + undone.message;
    }
    return saved;
}

} // namespace kotohana
