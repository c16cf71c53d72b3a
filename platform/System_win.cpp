#include "System.h"

#include "Background.h"
#include "ProgramPlace.h"
#include "TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <string>
#include <vector>

#include <windows.h>

#include <aclapi.h>
#include <io.h>
#include <shellapi.h>

namespace kotohana {
namespace System {
namespace {

// Every path reaches the system in UTF-16: the ANSI code page of a non-Japanese Windows cannot
// hold データ.txt.
std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

HANDLE systemHandle(int handle)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(handle));
}

// ERROR_DISK_QUOTA_EXCEEDED, which not every compiler's Windows headers name.
constexpr DWORD kDiskQuotaExceeded = 1295;

// Windows counts time in 100 ns steps since 1601; the program counts nanoseconds since 1970.
qint64 nanoseconds(const LARGE_INTEGER &time)
{
    constexpr qint64 kFrom1601To1970 = 116444736000000000;
    return (time.QuadPart - kFrom1601To1970) * 100;
}

Stamp stampOfHandle(HANDLE handle)
{
    FILE_BASIC_INFO times{};
    FILE_STANDARD_INFO sizes{};
    BY_HANDLE_FILE_INFORMATION identity{};
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times)
        || !GetFileInformationByHandleEx(handle, FileStandardInfo, &sizes, sizeof sizes)
        || !GetFileInformationByHandle(handle, &identity))
        return {};
    Stamp result;
    result.exists = true;
    result.size = qint64(sizes.EndOfFile.QuadPart);
    result.modified = nanoseconds(times.LastWriteTime);
    result.changed = nanoseconds(times.ChangeTime);
    result.device = quint64(identity.dwVolumeSerialNumber);
    result.inode = (quint64(identity.nFileIndexHigh) << 32) | identity.nFileIndexLow;
    return result;
}

} // namespace

int lastError()
{
    return int(GetLastError());
}

void clearLastError()
{
    SetLastError(ERROR_SUCCESS);
}

Failure failureOf(int error)
{
    switch (DWORD(error)) {
    case ERROR_ACCESS_DENIED:
        return Failure::Denied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
        return Failure::Busy;
    case ERROR_WRITE_PROTECT:
        return Failure::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kDiskQuotaExceeded:
        return Failure::DiskFull;
    case ERROR_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return Failure::Folder;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Failure::Missing;
    case ERROR_FILE_TOO_LARGE:
        return Failure::TooLarge;
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return Failure::Disk;
    case ERROR_NOT_SAME_DEVICE:
        return Failure::OtherDisk;
    case ERROR_FILENAME_EXCED_RANGE:
        return Failure::NameTooLong;
    case ERROR_CANT_RESOLVE_FILENAME:
        return Failure::TooManyLinks;
    default:
        return Failure::Other;
    }
}

Status statusOf(const QString &path)
{
    // Opened for its attributes alone, sharing everything: no other program is kept from the
    // file meanwhile. A link is followed; a folder opens only with backup semantics.
    const HANDLE handle = CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    Status result;
    result.stamp = stampOfHandle(handle);
    FILE_BASIC_INFO basic{};
    if (GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic)
        && (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        result.kind = Kind::Folder;
    else if (const DWORD type = GetFileType(handle); type == FILE_TYPE_DISK)
        result.kind = Kind::File;
    else
        result.kind = type == FILE_TYPE_PIPE ? Kind::Pipe : Kind::Other;
    CloseHandle(handle);
    return result;
}

Kind kindAt(const QString &path)
{
    // A link (symbolic link or junction) is a reparse point, told by its attributes alone.
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Kind::Missing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return Kind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Kind::Folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? Kind::Other : Kind::File;
}

Stamp stampOfOpen(int handle)
{
    return stampOfHandle(systemHandle(handle));
}

void takePermissions(int, const QString &path, const QString &model)
{
    // Who may read and write a file is its access list. The replacing file gets the list of the
    // file it replaces: what that one has of its own, and, unless it refuses them, the entries
    // its folder passes on. Set by name: the file is open without the right to change its list.
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(wide(model).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list, nullptr,
                              &descriptor)
        != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool ownOnly = GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED);
    std::wstring name = wide(path);
    (void)SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION
                                    | (ownOnly ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION),
                                nullptr, nullptr, list, nullptr);
    LocalFree(descriptor);
}

bool flushToDisk(int handle)
{
    return FlushFileBuffers(systemHandle(handle));
}

bool replace(const QString &from, const QString &to)
{
    // A plain rename refuses to replace a file on Windows; this one replaces it, and returns
    // only once the move is on the disk.
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

qint64 readAt(int handle, char *into, qint64 size, qint64 offset)
{
    // A read at an offset moves the file pointer of a handle opened without overlapped I/O:
    // it is put back where it was.
    const HANDLE file = systemHandle(handle);
    const qint64 was = offsetOf(handle);
    OVERLAPPED at{};
    at.Offset = DWORD(quint64(offset) & 0xffffffffu);
    at.OffsetHigh = DWORD(quint64(offset) >> 32);
    DWORD got = 0;
    const bool read = ReadFile(file, into, DWORD(size), &got, &at) || GetLastError() == ERROR_HANDLE_EOF;
    LARGE_INTEGER back{};
    back.QuadPart = was;
    if (was < 0 || !SetFilePointerEx(file, back, nullptr, FILE_BEGIN))
        return -1;
    return read ? qint64(got) : -1;
}

qint64 offsetOf(int handle)
{
    LARGE_INTEGER none{};
    LARGE_INTEGER at{};
    return SetFilePointerEx(systemHandle(handle), none, &at, FILE_CURRENT) ? qint64(at.QuadPart) : -1;
}

bool cutTo(int handle, qint64 size)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return SetFileInformationByHandle(systemHandle(handle), FileEndOfFileInfo, &end, sizeof end);
}

} // namespace System

void TextFile::failWritesBeyondSizeLimit()
{
    // Windows has no file-size limit per process: a write beyond the disk fails as on a full disk.
}

void giveWayToOtherThreads()
{
    // A machine that refuses it runs the thread as it was.
    (void)SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

QStringList argumentsBeforeQt(int, char **)
{
    // The arguments in UTF-16 as the system keeps them; argv holds them in the ANSI code page,
    // which cannot hold every name.
    QStringList arguments;
    int count = 0;
    if (LPWSTR *given = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments.append(QString::fromWCharArray(given[i]));
        LocalFree(given);
    }
    return arguments;
}

QString programDirectoryBeforeQt()
{
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return QFileInfo(QDir::fromNativeSeparators(QString::fromWCharArray(name.data(), int(length)))).absolutePath();
        name.resize(name.size() * 2);
    }
}

} // namespace kotohana
