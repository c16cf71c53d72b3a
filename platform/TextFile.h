#pragma once

#include "FileResult.h"
#include "System.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class QFile;

namespace kotohana {

// Whole Shift_JIS text files with CR LF line ends: read whole, rewritten whole in one
// step, or appended to one line at a time. An empty path (a name DataFolder does not
// accept) reads as a missing file and is never written. Only regular files are read or
// written: a folder, a device or a pipe under a data file's name is refused with a message,
// and so is a file larger than kLargestFile when read.
namespace TextFile {

// Far beyond what years of plays write (a million records take some 64 MB), and small enough to
// read in a second or two: a larger file is no file of the program's, or a damaged one.
constexpr qint64 kLargestFile = qint64(128) << 20;

// Whether the file is larger than kLargestFile: read(), LineReader and copy() refuse it.
bool tooLarge(const QString &path);

// A rewrite writes the whole new content into a temporary file beside the file, then puts it in
// the file's place in one step. The temporary file is named after the file, this mark and six
// random letters (データ.txt.kotohana-tmp-a1B2c3): a name no user chooses, so that what a save
// stopped by a kill or a power cut leaves behind is known beyond doubt.
inline constexpr char16_t kSaveMark[] = u".kotohana-tmp-";

struct ReadResult {
    QString text;
    bool exists = false;
    bool ok = false; // false when the file exists but cannot or may not be read
    bool hadInvalidBytes = false; // bytes that are not Shift_JIS became substitutes
    QString message; // why it could not be read
};

ReadResult read(const QString &path);

// Splits at CR LF or a bare LF. A line break at the very end does not start another line.
QList<QStringView> lines(QStringView text);

// What the file system tells of a file: its size, its change times and which file it is.
using Stamp = System::Stamp;
Stamp stampOf(const QString &path);

// A digest of bytes given piece by piece: the same bytes give the same digest however they
// come split, in this run and in every other, so that it can be kept between runs.
class Digest final
{
public:
    void add(QByteArrayView bytes);
    qint64 length() const { return m_length; }
    // The digest of every byte so far, to keep beside length().
    quint64 value() const;
    friend bool operator==(const Digest &, const Digest &) = default;

private:
    static constexpr qsizetype kBlock = 64 * 1024;
    quint64 m_blocks = 0; // of every whole block so far
    QByteArray m_tail; // the bytes after them
    qint64 m_length = 0;
};

// A file's bytes as one reading saw them: the stamp of the file it opened, taken before the
// first byte was read, and the digest of what it read.
struct Fingerprint {
    Stamp stamp;
    Digest digest;
    friend bool operator==(const Fingerprint &, const Fingerprint &) = default;
};

// The file's fingerprint as it is now; nothing when it cannot be read.
std::optional<Fingerprint> fingerprint(const QString &path);

// Reads a file line by line, as read() and lines() would give them, but decoding a piece of
// the file at a time: a long file is never held whole as text, and the same buffer serves
// every piece.
class LineReader final
{
public:
    explicit LineReader(const QString &path);
    ~LineReader();
    LineReader(const LineReader &) = delete;
    LineReader &operator=(const LineReader &) = delete;

    bool exists() const { return m_exists; }
    bool ok() const { return m_ok; } // false when the file exists but cannot be read
    const QString &message() const { return m_message; }
    bool hadInvalidBytes() const { return m_invalid; } // so far
    qsizetype byteSize() const { return qsizetype(m_seen.stamp.size); }
    // What was read so far.
    const Fingerprint &seen() const { return m_seen; }

    // The next line, without its line break; valid until the next call. False at the end.
    bool next(QStringView &line);
    // The same line in its Shift_JIS bytes, for a reader that decodes only what it keeps; valid
    // until the next call. One reader gives either texts or bytes, never both.
    bool nextBytes(QByteArrayView &line);
    // The bytes of the line nextBytes() gave last with its line break, if it had one.
    QByteArrayView bytesWithBreak() const;

private:
    bool readNextPiece();
    void fail(const QString &reason);
    // The line of the piece, text or bytes, from m_at; moves m_at past its line break.
    template <typename View>
    View lineAt(View piece);

    QFile *m_file = nullptr;
    Fingerprint m_seen;
    // Read: first the piece, whole lines (the last one ending with its line feed unless at the
    // end), then what waits for the next piece.
    QByteArray m_pending;
    qsizetype m_pieceBytes = 0;
    bool m_atEnd = false;
    bool m_exists = false;
    bool m_ok = true;
    bool m_invalid = false;
    QString m_message;
    QString m_text; // the piece decoded
    qsizetype m_at = 0; // in the piece's text or bytes
    qsizetype m_lineStart = 0; // of the last line given
    qsizetype m_pieceSize = 0; // of the text or bytes
};

// Whether the file is UTF-8 text with more than ASCII in it: saved by another program in another
// encoding than the Shift_JIS the program reads.
bool isUtf8(const QString &path);

// Replaces the file with the given lines, each followed by CR LF. The new content goes to a
// temporary file that takes the old file's place only once it is complete.
FileResult writeLines(const QString &path, const QStringList &lines);

// Replaces the file with exactly this text (the caller supplies any line breaks).
FileResult writeText(const QString &path, QStringView text);

// Replaces the file with exactly these bytes, in one step as writeText() does: a file the
// program writes in another encoding than its own (a spreadsheet's UTF-8).
FileResult writeBytes(const QString &path, const QByteArray &bytes);

// Copies a file byte for byte, a piece at a time; the copy takes the place (and permissions) of
// any file at `to` only once it is complete, or has the source's. A source that may not be read
// (a folder, a device, a file beyond kLargestFile) is refused with a message, as read() does.
FileResult copy(const QString &from, const QString &to);

// Copies files (source, target) so that they change together as far as a file system allows:
// each source goes into a temporary file beside its target, and only once every copy is whole
// do they take their targets' places, one after the other. A source that cannot be read or a
// copy that fails leaves every target as it was. Only when putting one in its place fails (the
// folder changed in that moment) are the ones before it already replaced: `replaced` says how
// many.
FileResult copyTogether(const std::vector<std::pair<QString, QString>> &copies, qsizetype *replaced = nullptr);

// Where an append put its bytes: they start at `at`, and the file had the stamp `after`
// right after they were written.
struct Appended {
    qint64 at = 0;
    QByteArray bytes; // the line and its CR LF, after a CR LF when the file lacked its last one
    Stamp after;
};

// Adds one line and its CR LF at the end of the file (created if missing) in a single write
// in append mode: lines other programs append at the same time stay whole, before or after it.
// If the write fails part-way, what it wrote is taken back.
FileResult appendLine(const QString &path, QStringView line, Appended *appended = nullptr);

// Leaves an empty file (created if missing).
FileResult truncate(const QString &path);

// Makes a write beyond the file-size limit of the process (ulimit -f) fail as on a full disk:
// by default the system ends the program then, halfway through a record. Called at start,
// before any file is written.
void failWritesBeyondSizeLimit();

// Takes back a line appendLine() added, while nothing was appended after it; a line another
// program added since is never cut off, and the line then stays, with a message.
FileResult takeBack(const QString &path, const Appended &appended);

} // namespace TextFile
} // namespace kotohana
