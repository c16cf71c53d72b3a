#include "RecordStore.h"

#include "platform/ShiftJis.h"

namespace kotohana {

RecordStore::RecordStore(QString path)
    : m_file(std::move(path))
{
}

RecordStore::~RecordStore()
{
    if (m_prefetched.valid())
        m_prefetched.wait();
}

void RecordStore::prefetch()
{
    if (m_prefetched.valid() || m_stamp)
        return;
    try {
        m_prefetched = std::async(std::launch::async, [path = path()] {
            // The stamp is taken before the read: a change made while reading is seen next time.
            const Stamp before = TextFile::stampOf(path);
            return std::make_pair(before, PlayRecordFile(path).readAll());
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
        auto [before, read] = m_prefetched.get();
        m_read = std::make_shared<PlayRecordFile::ReadResult>(std::move(read));
        ++m_reads;
        ++m_version;
        m_stamp = m_read->ok ? std::optional<Stamp>(before) : std::nullopt;
    } catch (const std::exception &) {
        // The reading ahead failed (out of memory, say): current() reads the file itself.
        m_stamp.reset();
    }
}

bool RecordStore::upToDate() const
{
    return m_stamp && *m_stamp == stamp();
}

const PlayRecordFile::ReadResult &RecordStore::current()
{
    takePrefetched();
    if (!upToDate()) {
        // The stamp is taken before the read: a change made while reading is seen next time.
        const Stamp before = stamp();
        m_read = std::make_shared<PlayRecordFile::ReadResult>(m_file.readAll());
        ++m_reads;
        ++m_version;
        m_stamp = m_read->ok ? std::optional<Stamp>(before) : std::nullopt;
    }
    return *m_read;
}

std::shared_ptr<const PlayRecordFile::ReadResult> RecordStore::snapshot()
{
    current();
    return m_read;
}

void RecordStore::keepLine(const QString &line, const Stamp &stamp)
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
    m_stamp = stamp;
}

void RecordStore::refuseChanges(QString message)
{
    m_refusal = std::move(message);
}

FileResult RecordStore::append(const PlayRecord &record)
{
    if (!m_refusal.isEmpty())
        return FileResult::failed(m_refusal);
    takePrefetched();
    const bool keep = upToDate();
    TextFile::Appended appended;
    const FileResult written = m_file.append(record, &appended);
    // The kept records are the file's with the line only when it went right after what they were
    // read from and nothing came after it; else another program appended too, and the next
    // current() reads its lines.
    if (written.ok() && keep && appended.at == m_stamp->size
        && appended.after.size == appended.at + appended.bytes.size())
        keepLine(PlayRecordFile::appendedLine(record), appended.after);
    else
        m_stamp.reset();
    return written;
}

FileResult RecordStore::rewrite(const std::vector<PlayRecord> &records)
{
    if (!m_refusal.isEmpty())
        return FileResult::failed(m_refusal);
    takePrefetched();
    // The whole file is new: the next page reads it, and so sees exactly what it holds.
    m_stamp.reset();
    return m_file.rewrite(records);
}

FileResult RecordStore::truncate()
{
    if (!m_refusal.isEmpty())
        return FileResult::failed(m_refusal);
    takePrefetched();
    const FileResult written = m_file.truncate();
    m_stamp.reset();
    if (written.ok()) {
        m_read = std::make_shared<PlayRecordFile::ReadResult>();
        ++m_version;
        m_stamp = stamp();
    }
    return written;
}

} // namespace kotohana
