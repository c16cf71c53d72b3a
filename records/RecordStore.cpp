#include "RecordStore.h"

#include "platform/Background.h"
#include "platform/ShiftJis.h"

#include <chrono>
#include <utility>

namespace kotohana {
namespace {

// The coarsest step of file times in use: FAT keeps two seconds.
constexpr qint64 kCoarsestStep = 2'000'000'000;

// The system's wall clock, which the file system stamps its times with; not the program's
// Clock, which tests set at will.
qint64 wallClock()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

// Whether any change after `at` would show in the stamp: the file's times are a whole step
// older, so a change gets later times. A missing file shows any change by coming to be.
bool settledAt(qint64 at, const TextFile::Stamp &stamp)
{
    return !stamp.exists || at - std::max(stamp.modified, stamp.changed) >= kCoarsestStep;
}

} // namespace

RecordStore::RecordStore(QString path, QString keptViewPath)
    : m_file(std::move(path))
    , m_keptViewPath(std::move(keptViewPath))
{
}

RecordStore::~RecordStore()
{
    if (m_prefetched.valid())
        m_prefetched.wait();
}

RecordStore::Reading RecordStore::read(const QString &path)
{
    Reading reading;
    reading.at = wallClock();
    reading.records = PlayRecordFile(path).readAll(&reading.seen);
    return reading;
}

RecordStore::Ahead RecordStore::readAhead(const QString &path, const QString &keptViewPath, QDate day)
{
    if (day.isValid() && !keptViewPath.isEmpty()) {
        std::optional<KeptView> kept = KeptView::read(keptViewPath);
        // The first start of a day mostly finds the view of the day before, and no play today.
        if (kept && kept->day != day) {
            if (std::optional<TodayView> today = viewOfAnotherDay(kept->view, day))
                kept->view = std::move(*today);
            else
                kept.reset();
        }
        if (kept && TextFile::stampOf(path).size == kept->length) {
            Ahead ahead;
            ahead.reading.at = wallClock();
            const std::optional<TextFile::Fingerprint> seen = TextFile::fingerprint(path);
            if (seen && seen->stamp.exists && seen->stamp.size == kept->length && seen->digest.length() == kept->length
                && seen->digest.value() == kept->digest) {
                ahead.reading.seen = *seen;
                ahead.kept = std::move(kept);
                ahead.day = day;
                return ahead;
            }
        }
    }
    return Ahead{read(path), std::nullopt, {}};
}

void RecordStore::take(Reading &&reading)
{
    // Records read from the very bytes of the view takeDayView() gave are what it was made
    // from: what was built from the view holds for them.
    const bool asViewed = reading.records.ok && m_viewSeen && reading.seen == *m_viewSeen;
    m_viewSeen.reset();
    m_read = std::make_shared<PlayRecordFile::ReadResult>(std::move(reading.records));
    ++m_reads;
    if (!asViewed)
        ++m_version;
    // The stamp was taken at the opening, before the first byte was read: a change made while
    // reading is seen next time, as is one that made the file longer or shorter than was read.
    const TextFile::Fingerprint &seen = reading.seen;
    if (m_read->ok && seen.digest.length() == seen.stamp.size) {
        m_seen = seen;
        m_settled = settledAt(reading.at, seen.stamp);
    } else {
        m_seen.reset();
    }
}

void RecordStore::prefetch(QDate day)
{
    if (m_prefetched.valid() || m_seen)
        return;
    try {
        m_prefetched = std::async(std::launch::async, [path = path(), kept = m_keptViewPath, day] {
            giveWayToOtherThreads();
            return readAhead(path, kept, day);
        });
    } catch (const std::system_error &) {
        // No thread to be had: current() reads the file itself.
    }
}

void RecordStore::takePrefetched()
{
    if (!m_prefetched.valid())
        return;
    try {
        Ahead ahead = m_prefetched.get();
        if (ahead.kept)
            m_ahead = std::move(ahead);
        else
            take(std::move(ahead.reading));
    } catch (const std::exception &) {
        // The reading ahead failed (out of memory, say): current() reads the file itself.
        m_seen.reset();
    }
}

std::optional<TodayView> RecordStore::takeDayView(QDate day)
{
    takePrefetched();
    std::optional<Ahead> ahead = std::exchange(m_ahead, std::nullopt);
    if (!ahead || ahead->day != day)
        return std::nullopt;
    // As with records read ahead, the view holds while the file is what the thread found.
    const TextFile::Fingerprint &seen = ahead->reading.seen;
    if (TextFile::stampOf(path()) != seen.stamp)
        return std::nullopt;
    if (!settledAt(ahead->reading.at, seen.stamp) && TextFile::fingerprint(path()) != seen)
        return std::nullopt;
    m_viewSeen = seen;
    m_viewGiven = true;
    m_keptKey = {ahead->kept->day, ahead->kept->length, ahead->kept->digest};
    ++m_version;
    return std::move(ahead->kept->view);
}

QString RecordStore::startNotice()
{
    if (m_viewGiven)
        return {};
    return PlayRecordFile::startNotice(current());
}

void RecordStore::keepDayView(QDate day, bool waitForRecords)
{
    if (m_keptViewPath.isEmpty() || (!waitForRecords && (m_prefetched.valid() || !m_seen)))
        return;
    if (!unchanged() || !m_seen->stamp.exists || !PlayRecordFile::startNotice(*m_read).isEmpty())
        return;
    KeptView kept{day, m_seen->digest.length(), m_seen->digest.value(), {}};
    const std::tuple key{kept.day, kept.length, kept.digest};
    if (m_keptKey == key)
        return;
    kept.view = buildTodayView(m_read->records, day);
    if (kept.write(m_keptViewPath))
        m_keptKey = key;
}

bool RecordStore::unchanged()
{
    takePrefetched();
    if (!m_seen)
        return false;
    const qint64 at = wallClock();
    if (TextFile::stampOf(path()) != m_seen->stamp)
        return false;
    if (m_settled)
        return true;
    // The stamp cannot tell a change made within its step since the reading; the bytes can.
    if (TextFile::fingerprint(path()) != m_seen)
        return false;
    m_settled = settledAt(at, m_seen->stamp);
    return true;
}

const PlayRecordFile::ReadResult &RecordStore::current()
{
    if (!unchanged())
        take(read(path()));
    return *m_read;
}

std::shared_ptr<const PlayRecordFile::ReadResult> RecordStore::snapshot()
{
    current();
    return m_read;
}

void RecordStore::keepLine(const QString &line, const TextFile::Appended &appended)
{
    // The line as the file holds it: writing turns a few characters into the forms Windows
    // shows (〜 into ～), and reading the file back would give those.
    const QString held = ShiftJis::decode(ShiftJis::encode(line).bytes).text;
    if (m_read.use_count() > 1)
        m_read = std::make_shared<PlayRecordFile::ReadResult>(*m_read); // a list still shows the old records
    std::vector<PlayRecord> &records = m_read->records;
    const PlayRecord *before = records.empty() ? nullptr : &records.back();
    if (std::optional<PlayRecord> record = PlayRecordFile::recordOf(held, before))
        records.push_back(std::move(*record));
    ++m_version;
    m_seen->stamp = appended.after;
    m_seen->digest.add(appended.bytes);
    m_settled = false; // the file was written just now
}

void RecordStore::refuseChanges(QString message)
{
    m_refusal = std::move(message);
}

FileResult RecordStore::append(const PlayRecord &record)
{
    if (!m_refusal.isEmpty())
        return FileResult::failed(m_refusal);
    const bool keep = unchanged();
    TextFile::Appended appended;
    const FileResult written = m_file.append(record, &appended);
    // The kept records are the file's with the line only when it went right after what they were
    // read from and nothing came after it; else another program appended too, and the next
    // current() reads its lines.
    if (written.ok() && keep && appended.at == m_seen->stamp.size && appended.after.size == appended.at + appended.bytes.size())
        keepLine(PlayRecordFile::appendedLine(record), appended);
    else
        m_seen.reset();
    return written;
}

QString RecordStore::changedMessage()
{
    return QStringLiteral("データ.txt がほかのプログラムで変更されたため、保存しませんでした。\n"
                          "一覧を読み直してから、もう一度お試しください。");
}

FileResult RecordStore::rewrite(const std::vector<PlayRecord> &records)
{
    if (!m_refusal.isEmpty())
        return FileResult::failed(m_refusal);
    if (!unchanged())
        return FileResult::failed(changedMessage());
    // The whole file is new: the next page reads it, and so sees exactly what it holds.
    m_seen.reset();
    return m_file.rewrite(records);
}

FileResult RecordStore::truncate()
{
    if (!m_refusal.isEmpty())
        return FileResult::failed(m_refusal);
    if (!unchanged())
        return FileResult::failed(changedMessage());
    const FileResult written = m_file.truncate();
    m_seen.reset();
    if (written.ok()) {
        m_read = std::make_shared<PlayRecordFile::ReadResult>();
        ++m_version;
        // Empty as long as nothing was appended since; else the next current() reads it.
        if (const TextFile::Stamp emptied = TextFile::stampOf(path()); emptied.size == 0) {
            m_seen = TextFile::Fingerprint{emptied, {}};
            m_settled = false;
        }
    }
    return written;
}

} // namespace kotohana
