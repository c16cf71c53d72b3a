#pragma once

#include <QString>
#include <QtGlobal>

namespace kotohana::System {

// Everything the program asks of the operating system beyond what Qt and the C++ library give:
// one file per system (System_posix.cpp, System_win.cpp), chosen when the program is built. The
// same files also carry the system's side of giveWayToOtherThreads() (Background.h), of what
// the program knows of itself before Qt starts (ProgramPlace.h) and of
// TextFile::failWritesBeyondSizeLimit().
//
// Paths are Qt's, with forward slashes; each system's file turns them into the system's own
// form (UTF-16 on Windows, never the ANSI code page). A handle is an open QFile's handle().

// The system's number for why the last call failed (errno, or Windows' last error), and a
// fresh start before a call whose failure is to be told.
int lastError();
void clearLastError();

// What a failure means to the user; Other when the program has no words of its own for it.
enum class Failure {
    Other,
    Denied,
    ReadOnly,
    DiskFull,
    Folder, // a folder, or something else that stays, is in the way
    Missing,
    TooLarge,
    Disk, // the disk or its connection failed
    Busy, // another program has the file
    OtherDisk, // a move between two disks
    NameTooLong,
    TooManyLinks,
    FolderFull,
};
Failure failureOf(int error);

// What stands at a path: a file, a folder, a link, a pipe or something else (a device, a socket).
enum class Kind { Missing, File, Folder, Link, Pipe, Other };

// What the file system tells of a file: its size, its modification and status-change times
// and which file it is. A change of the file changes its stamp, but for one made within the
// same step of a coarse clock (FAT keeps two-second times).
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since the epoch
    qint64 changed = 0; // status change, nanoseconds since the epoch
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const Stamp &, const Stamp &) = default;
};

struct Status {
    Kind kind = Kind::Missing;
    Stamp stamp; // of what a link leads to
};

// What is at the path, a link followed to what it leads to.
Status statusOf(const QString &path);
// What is at the path itself, a link not followed, and nothing opened: opening a pipe to look
// at it would wait for a writer for ever.
Kind kindAt(const QString &path);
// The stamp of an open file; none when the system does not tell it.
Stamp stampOfOpen(int handle);

// Gives the file open at `handle`, named `path`, about to take another's place, the permissions
// of the file at `model` (who may read and write it); nothing where there is none there.
void takePermissions(int handle, const QString &path, const QString &model);
// Writes what the file holds through to the disk, so that a power cut after a replace finds
// the new content and not an empty file.
bool flushToDisk(int handle);
// Puts the file `from` in the place of `to` in one step, replacing a file there.
bool replace(const QString &from, const QString &to);

// Reads up to `size` bytes at `offset` without changing where the next write of an appending
// handle goes. The count read, or -1.
qint64 readAt(int handle, char *into, qint64 size, qint64 offset);
// Where the handle's next read or write would go; -1 when the system does not tell.
qint64 offsetOf(int handle);
// Cuts the file back to `size` bytes.
bool cutTo(int handle, qint64 size);

} // namespace kotohana::System
