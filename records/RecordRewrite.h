#pragma once

#include "PlayRecord.h"

#include "platform/FileResult.h"

#include <QString>

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

    static RecordRewrite rewrite(const DataFolder &folder, RecordStore &store, const std::vector<PlayRecord> &records,
                                 bool fileHadUnreadLines);
    static RecordRewrite truncate(const DataFolder &folder, RecordStore &store, bool fileHadUnreadLines);

    // The notice for the user when a backup was made.
    QString backupNotice() const;
};

} // namespace kotohana
