#include "RecordStore.h"

#include "platform/TextFile.h"

#include <QFile>

#include <sys/stat.h>

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
    m_prefetched = std::async(std::launch::async, [path = path()] {
        // The stamp is taken before the read: a change made while reading is seen next time.
        const Stamp before = stampOf(path);
        return std::make_pair(before, PlayRecordFile(path).readAll());
    });
}

void RecordStore::takePrefetched()
{
    if (!m_prefetched.valid())
        return;
    auto [before, read] = m_prefetched.get();
    m_read = std::move(read);
    ++m_reads;
    m_stamp = m_read.ok ? std::optional<Stamp>(before) : std::nullopt;
}

RecordStore::Stamp RecordStore::stampOf(const QString &path)
{
    Stamp result;
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return result;
    result.exists = true;
    result.size = qint64(status.st_size);
    result.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    result.changed = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    result.device = quint64(status.st_dev);
    result.inode = quint64(status.st_ino);
    return result;
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
        m_read = m_file.readAll();
        ++m_reads;
        m_stamp = m_read.ok ? std::optional<Stamp>(before) : std::nullopt;
    }
    return m_read;
}

void RecordStore::keepLines(const QStringList &lines, bool append)
{
    if (!append)
        m_read = {};
    for (const QString &line : lines) {
        const PlayRecord *before = m_read.records.empty() ? nullptr : &m_read.records.back();
        if (std::optional<PlayRecord> record = PlayRecordFile::recordOf(line, before))
            m_read.records.push_back(std::move(*record));
    }
    m_stamp = stamp();
}

FileResult RecordStore::append(const PlayRecord &record)
{
    takePrefetched();
    const bool keep = upToDate();
    const FileResult written = m_file.append(record);
    if (written.ok() && keep)
        keepLines({PlayRecordFile::appendedLine(record)}, true);
    else
        m_stamp.reset();
    return written;
}

FileResult RecordStore::rewrite(const std::vector<PlayRecord> &records)
{
    takePrefetched();
    const QStringList lines = PlayRecordFile::rewrittenLines(records);
    const FileResult written = TextFile::writeLines(m_file.path(), lines);
    if (written.ok()) {
        keepLines(lines, false);
    } else {
        m_stamp.reset();
    }
    return written;
}

FileResult RecordStore::truncate()
{
    takePrefetched();
    const FileResult written = m_file.truncate();
    if (written.ok())
        keepLines({}, false);
    else
        m_stamp.reset();
    return written;
}

} // namespace kotohana
