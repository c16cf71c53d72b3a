#include "FolderLock.h"

#include <QDir>

namespace kotohana {

FolderLock::FolderLock(const QString &directory)
    : m_lock(QDir(directory).filePath(QString::fromUtf16(kFileName)))
{
    // A program runs for hours: its lock never grows stale with age, only when its process is gone.
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(0))
        m_state = State::Held;
    else if (m_lock.error() == QLockFile::LockFailedError)
        m_state = State::HeldElsewhere;
    else
        m_state = State::NotLockable;
}

} // namespace kotohana
