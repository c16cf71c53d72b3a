#include "System.h"

#include "Background.h"
#include "ProgramPlace.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kotohana {
namespace System {
namespace {

QByteArray nameOf(const QString &path)
{
    return QFile::encodeName(path);
}

Kind kindOf(mode_t mode)
{
    switch (mode & S_IFMT) {
    case S_IFREG:
        return Kind::File;
    case S_IFDIR:
        return Kind::Folder;
    case S_IFLNK:
        return Kind::Link;
    case S_IFIFO:
        return Kind::Pipe;
    default:
        return Kind::Other;
    }
}

qint64 nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

Stamp stampFrom(const struct stat &status)
{
    Stamp result;
    result.exists = true;
    result.size = qint64(status.st_size);
#ifdef __APPLE__
    // macOS names the times with nanoseconds apart from the other systems.
    result.modified = nanoseconds(status.st_mtimespec);
    result.changed = nanoseconds(status.st_ctimespec);
#else
    result.modified = nanoseconds(status.st_mtim);
    result.changed = nanoseconds(status.st_ctim);
#endif
    result.device = quint64(status.st_dev);
    result.inode = quint64(status.st_ino);
    return result;
}

} // namespace

int lastError()
{
    return errno;
}

void clearLastError()
{
    errno = 0;
}

Failure failureOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return Failure::Denied;
    case EROFS:
        return Failure::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return Failure::DiskFull;
    case EISDIR:
    case ENOTEMPTY:
    case EEXIST:
        return Failure::Folder;
    case ENOENT:
    case ENOTDIR:
        return Failure::Missing;
    case EFBIG:
        return Failure::TooLarge;
    case EIO:
        return Failure::Disk;
    case EBUSY:
    case ETXTBSY:
        return Failure::Busy;
    case EXDEV:
        return Failure::OtherDisk;
    case ENAMETOOLONG:
        return Failure::NameTooLong;
    case ELOOP:
        return Failure::TooManyLinks;
    case EMLINK:
        return Failure::FolderFull;
    default:
        return Failure::Other;
    }
}

Status statusOf(const QString &path)
{
    struct stat status {
    };
    if (::stat(nameOf(path).constData(), &status) != 0)
        return {};
    return {kindOf(status.st_mode), stampFrom(status)};
}

Kind kindAt(const QString &path)
{
    struct stat status {
    };
    return ::lstat(nameOf(path).constData(), &status) == 0 ? kindOf(status.st_mode) : Kind::Missing;
}

Stamp stampOfOpen(int handle)
{
    struct stat status {
    };
    return ::fstat(handle, &status) == 0 ? stampFrom(status) : Stamp{};
}

void takePermissions(int handle, const QString &, const QString &model)
{
    // A file system that keeps no permissions (FAT) refuses the change and needs none.
    struct stat status {
    };
    if (::stat(nameOf(model).constData(), &status) == 0)
        (void)::fchmod(handle, status.st_mode & 07777);
}

bool flushToDisk(int handle)
{
    return ::fsync(handle) == 0;
}

bool replace(const QString &from, const QString &to)
{
    return ::rename(nameOf(from).constData(), nameOf(to).constData()) == 0;
}

qint64 readAt(int handle, char *into, qint64 size, qint64 offset)
{
    return qint64(::pread(handle, into, size_t(size), off_t(offset)));
}

qint64 offsetOf(int handle)
{
    return qint64(::lseek(handle, 0, SEEK_CUR));
}

bool cutTo(int handle, qint64 size)
{
    return ::ftruncate(handle, off_t(size)) == 0;
}

} // namespace System

void TextFile::failWritesBeyondSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

void giveWayToOtherThreads()
{
#ifdef __linux__
    // On Linux a thread has a niceness of its own, and this call sets the calling thread's. A
    // machine that refuses it runs the thread as it was.
    constexpr int kNiceness = 10;
    (void)::setpriority(PRIO_PROCESS, 0, kNiceness);
#else
    // Elsewhere the niceness belongs to the whole program, and lowering it would slow every
    // thread for good: the thread takes the lowest priority of its own scheduling class.
    int policy = 0;
    sched_param parameters{};
    if (::pthread_getschedparam(::pthread_self(), &policy, &parameters) == 0) {
        parameters.sched_priority = ::sched_get_priority_min(policy);
        (void)::pthread_setschedparam(::pthread_self(), policy, &parameters);
    }
#endif
}

QStringList argumentsBeforeQt(int argc, char **argv)
{
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

QString programDirectoryBeforeQt()
{
    // Linux names the running program's file here; elsewhere the link is missing, and the
    // folder is left for Qt to find.
    const QString programFile = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return programFile.isEmpty() ? QString() : QFileInfo(programFile).absolutePath();
}

} // namespace kotohana
