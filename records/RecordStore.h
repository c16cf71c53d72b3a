#pragma once

#include "KeptView.h"
#include "PlayRecordFile.h"

#include "platform/TextFile.h"

#include <future>
#include <memory>
#include <optional>
#include <tuple>

namespace kotohana {

// データ.txt as the program last read it. Every page asks it for the records; it reads the
// file again only when the file changed since (its size, modification or status-change time,
// or the file itself, as after an editor's or another program's save), so a page always
// shows what the file holds now without reading it at every opening. The program's own
// appends and rewrites go through it and the kept records follow them.
//
// Some file systems keep times in steps of a second or two (FAT on USB sticks and SD cards,
// some network shares): a same-size change made within the step of the last reading leaves the
// stamp as it was. While the file's times are that close to the reading, the store compares
// the file's bytes with those it read, at every call, until a comparison made a whole step
// later shows the stamp will tell any further change.
class RecordStore final
{
public:
    // With a path for the main page's view of a day kept between runs (KeptView), the store
    // gives that view at start in place of reading the records first, and keeps one at the end.
    explicit RecordStore(QString path, QString keptViewPath = {});
    ~RecordStore();
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;

    // Starts reading the file on a thread of its own, so that the reading and the building of
    // the first window go on side by side, the window first; current() waits for it. Nothing
    // else of the program runs on that thread.
    //
    // With a day whose view was kept from exactly the bytes the file has now, or can be made
    // from the view kept of another day (viewOfAnotherDay()), the thread only makes sure of that,
    // for takeDayView(); the records are read when current() asks for them, or by the next
    // prefetch().
    void prefetch(QDate day = {});
    // That kept view, once, while the file is still what the thread found; nothing otherwise.
    // The records read later from the same bytes keep the version() the view was given at.
    std::optional<TodayView> takeDayView(QDate day);
    // What the user is told at start about the file (PlayRecordFile::startNotice()): nothing
    // when takeDayView() gave a view, which is kept only of a file read with nothing to tell.
    QString startNotice();
    // Keeps the view of the day, made from the records while they are the file's and were read
    // with nothing to tell; without waiting, only when the records are already at hand. A view
    // that cannot be written is not kept: the next start reads the records first.
    void keepDayView(QDate day, bool waitForRecords);

    const QString &path() const { return m_file.path(); }

    // The records of the file as it is now; valid until the next call of current(), append(),
    // rewrite() or truncate().
    const PlayRecordFile::ReadResult &current();
    // The same records, kept alive for as long as the caller holds them: a list on screen
    // keeps showing what it listed while the file changes under it.
    std::shared_ptr<const PlayRecordFile::ReadResult> snapshot();

    // How often the file was read into records: once, then only after changes made by others.
    int reads() const { return m_reads; }
    // A number that changes whenever the records current() gives change: what was built from
    // them at one number is still right while current() gives that number.
    quint64 version() const { return m_version; }

    FileResult append(const PlayRecord &record);
    // Replace the file with these records, made from what current() gave last. Only while the
    // file is still that: when another program wrote to it since, nothing is written (and its
    // change is not undone); the message is changedMessage(). A line another program appends
    // in the moment the new file takes the old one's place is lost: no lock binds it.
    FileResult rewrite(const std::vector<PlayRecord> &records);
    FileResult truncate();

    // Whether the file is still what current() gave last: nothing else wrote to it since.
    bool unchanged();
    static QString changedMessage();

    // From now on the file is only read: every change is refused with this message (the data
    // folder cannot be written).
    void refuseChanges(QString message);
    // Why changes are refused; empty while they are not.
    const QString &refusal() const { return m_refusal; }

private:
    // One reading of the file: its records, the bytes they came from and the wall clock just
    // before the file was opened.
    struct Reading {
        PlayRecordFile::ReadResult records;
        TextFile::Fingerprint seen;
        qint64 at = 0;
    };
    // What the thread of prefetch() gives: the view of the day from a kept view, or else the
    // records.
    struct Ahead {
        // The records; with a view, only the file's bytes as checked and when.
        Reading reading;
        std::optional<KeptView> kept; // its view made the day's
        QDate day;
    };
    static Reading read(const QString &path);
    static Ahead readAhead(const QString &path, const QString &keptViewPath, QDate day);
    void take(Reading &&reading);
    void takePrefetched();
    // After the program's own append: the kept records gain the line written.
    void keepLine(const QString &line, const TextFile::Appended &appended);

    PlayRecordFile m_file;
    // The bytes the kept records are, while they are known to be the file's.
    std::optional<TextFile::Fingerprint> m_seen;
    // Whether a change of the file since m_seen would show in its stamp.
    bool m_settled = false;
    std::future<Ahead> m_prefetched;
    QString m_keptViewPath;
    std::optional<Ahead> m_ahead; // a kept view found by the reading ahead, not asked for yet
    std::optional<TextFile::Fingerprint> m_viewSeen; // the bytes of the view takeDayView() gave
    bool m_viewGiven = false;
    // The day, length and digest of the view in the cache, as far as this run knows them.
    std::optional<std::tuple<QDate, qint64, quint64>> m_keptKey;
    // Shared with the lists that show it; changed in place only while nobody else holds it.
    std::shared_ptr<PlayRecordFile::ReadResult> m_read = std::make_shared<PlayRecordFile::ReadResult>();
    int m_reads = 0;
    quint64 m_version = 0;
    QString m_refusal;
};

} // namespace kotohana
