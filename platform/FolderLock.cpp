#include "FolderLock.h"

#include "System.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

namespace kotohana {

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
    // What is at the lock's place is looked at without following a link or opening it.
    const System::Kind kind = System::kindAt(m_path);
    if (kind != System::Kind::Missing && kind != System::Kind::File) {
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
    const System::Kind kind = System::kindAt(m_path);
    if (kind == System::Kind::Missing || kind == System::Kind::File || kind == System::Kind::Pipe)
        return true;
    return kind == System::Kind::Folder
        && QDir(m_path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool FolderLock::takeOver()
{
    if (m_state == State::Held)
        return true;
    if (!canTakeOver())
        return false;
    const System::Kind kind = System::kindAt(m_path);
    if (kind == System::Kind::Folder)
        QDir().rmdir(m_path);
    else if (kind != System::Kind::Missing)
        QFile::remove(m_path);
    lock();
    return m_state == State::Held;
}

} // namespace kotohana
