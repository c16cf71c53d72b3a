#include "FolderLock.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <optional>

#include <sys/stat.h>

namespace kotohana {
namespace {

// What is at the lock's place, read without following a link or opening it: opening a pipe
// to read it would wait for a writer for ever.
std::optional<mode_t> kindAt(const QString &path)
{
    struct stat status {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return status.st_mode & S_IFMT;
}

} // namespace

FolderLock::FolderLock(const QString &directory)
    : m_path(QDir(directory).filePath(QString::fromUtf16(kFileName)))
    , m_lock(m_path)
{
    // A program runs for hours: its lock never grows stale with age, only when its process is gone.
    m_lock.setStaleLockTime(0);
    lock();
}

void FolderLock::lock()
{
    m_otherComputer.clear();
    const std::optional<mode_t> kind = kindAt(m_path);
    if (kind && *kind != S_IFREG) {
        m_state = State::NotAFile;
        return;
    }
    if (m_lock.tryLock(0)) {
        m_state = State::Held;
        return;
    }
    if (m_lock.error() != QLockFile::LockFailedError) {
        m_state = State::NotLockable;
        return;
    }
    qint64 pid = 0;
    QString host;
    QString program;
    if (!m_lock.getLockInfo(&pid, &host, &program))
        m_state = State::Damaged;
    else if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        m_state = State::OtherComputer;
        m_otherComputer = host;
    } else
        m_state = State::HeldElsewhere;
}

bool FolderLock::canTakeOver() const
{
    const std::optional<mode_t> kind = kindAt(m_path);
    if (!kind || *kind == S_IFREG || *kind == S_IFIFO)
        return true;
    return *kind == S_IFDIR && QDir(m_path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool FolderLock::takeOver()
{
    if (m_state == State::Held)
        return true;
    if (!canTakeOver())
        return false;
    const std::optional<mode_t> kind = kindAt(m_path);
    if (kind == S_IFDIR)
        QDir().rmdir(m_path);
    else if (kind)
        QFile::remove(m_path);
    lock();
    return m_state == State::Held;
}

} // namespace kotohana
