#pragma once

#include "PlayRecord.h"

#include "platform/FileResult.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kotohana {

namespace TextFile {
struct Appended;
struct Fingerprint;
} // namespace TextFile

// データ.txt: one record per line in the order the plays were saved. Games append; the
// record book rewrites the whole file after a diary edit or a deletion.
class PlayRecordFile final
{
public:
    static constexpr char16_t kFileName[] = u"データ.txt";

    explicit PlayRecordFile(QString path);

    struct ReadResult {
        std::vector<PlayRecord> records;
        bool ok = true; // false when the file exists but cannot be read
        QString message;
        // Lines that are not records (too few or too many fields, seconds not a number or not
        // from 0 to PlayRecord::kMostSeconds, as a hand-edited file may hold) are left out. A
        // rewrite would drop them for good, so the caller must know.
        int skippedLines = 0;
        bool hadInvalidBytes = false;
        // The bytes that are not Shift_JIS are UTF-8: another program saved the file in its
        // own encoding, and every line with Japanese in it reads garbled.
        bool otherEncoding = false;

        bool lossless() const { return skippedLines == 0 && !hadInvalidBytes; }
    };

    // What the user is told once at start when the file was read but not whole: that it is
    // in another encoding, how many lines are not records, or that some bytes are not text.
    // The file is left as it is. Empty when there is nothing to tell.
    static QString startNotice(const ReadResult &read);

    // seen: where to put what the reading saw of the file's bytes.
    ReadResult readAll(TextFile::Fingerprint *seen = nullptr) const;

    // A game's save: field 6 is written as nothing, so the line ends in a bare comma.
    FileResult append(const PlayRecord &record, TextFile::Appended *appended = nullptr) const;
    // The record book's rewrite: field 6 is written as "", replacing the file in one step.
    FileResult rewrite(const std::vector<PlayRecord> &records) const;
    FileResult truncate() const;

    static QString appendedLine(const PlayRecord &record);
    static QString rewrittenLine(const PlayRecord &record);
    static QStringList rewrittenLines(const std::vector<PlayRecord> &records);
    // The record a line of the file holds, as readAll() reads it; nothing for a line that is
    // not a record. before: the record of the line above, whose texts the new one may share.
    static std::optional<PlayRecord> recordOf(QStringView line, const PlayRecord *before);
    // The record shown in a list row; the seconds text becomes a single-precision number.
    static PlayRecord fromListRow(QStringView date, QStringView time, QStringView item, QStringView seconds, QStringView diary);

    const QString &path() const { return m_path; }

private:
    QString m_path;
};

} // namespace kotohana
