#pragma once

#include "PlayRecord.h"

#include "platform/FileResult.h"

#include <QString>

#include <optional>
#include <vector>

namespace kotohana {

class DataFolder;
class RecordStore;

// Rewriting or emptying データ.txt from the record book. When the file as last read held lines
// that are not records (or bytes that are not text), those would be lost for good: the file is
// first copied to a backup beside it, and the backup's name is handed back to tell the user.
struct RecordRewrite {
    FileResult result;
    QString backupName; // empty when no backup was made
    // Refused, nothing written: another program changed the file since the store read it.
    bool fileChanged = false;

    static RecordRewrite rewrite(const DataFolder &folder, RecordStore &store, const std::vector<PlayRecord> &records,
                                 bool fileHadUnreadLines);
    static RecordRewrite truncate(const DataFolder &folder, RecordStore &store, bool fileHadUnreadLines);

    // The notice for the user when a backup was made.
    QString backupNotice() const;
};

// A change the user made to one record of a list: a new one-line diary, or its deletion.
struct RecordChange {
    PlayRecord picked; // as the list shows it; found again by date, time and item
    std::size_t listedIndex = 0; // where the list shows it (0: the first record)
    std::optional<QString> diary; // the new diary; none: the record is deleted
};

struct AppliedChange {
    bool found = false; // false: the file no longer holds the record, and nothing was written
    std::size_t index = 0; // where the file held it
    RecordRewrite rewrite;
};

// Applies the change to データ.txt as it is now, not to the list, which may be older than the
// file (another program or an editor may have saved since). The record is looked for at its
// place in the list, else at the nearest place that holds it. When another program writes to
// the file between the reading and the rewrite, the change is made anew on the file as it is
// then, a few times at most.
AppliedChange applyChange(const DataFolder &folder, RecordStore &store, const RecordChange &change);

} // namespace kotohana
