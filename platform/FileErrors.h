#pragma once

#include "FileResult.h"
#include "System.h"

#include <QFileDevice>
#include <QString>

#include <optional>

// What the parts of TextFile share: the user's words for what went wrong with a file, and the
// refusal of what is no file of the program's.
namespace kotohana::TextFile {

// The file's name as the user knows it, without its folder.
QString displayName(const QString &path);

FileResult writeFailure(const QString &path, const QString &reason);
QString readFailure(const QString &path, const QString &reason);

// Why a file operation failed, in the user's words. A cause not named here keeps the given
// text, or else Qt's own.
QString reason(int captured, const QFileDevice &file, const QString &path, const QString &otherwise);
QString reasonFor(System::Failure failure, const QFileDevice &file, const QString &otherwise);
// The user's words for a failure; empty for one the program has no words of its own for.
QString causeText(System::Failure failure);

// Runs one operation on the file; when it fails, the reason, taken from the system's error
// number before anything else can change it.
template <typename Operation>
std::optional<QString> failureOf(const QFileDevice &file, const QString &path, Operation operation, const QString &otherwise = {})
{
    System::clearLastError();
    if (operation())
        return std::nullopt;
    const int error = System::lastError();
    return reason(error, file, path, otherwise);
}

// A write that stopped short without a cause from the system usually means a full disk.
QString shortWriteReason();

// DataFolder gives an empty path for a name it does not accept; such a file is never written.
FileResult refusedName();

// Why the file at the path is not to be opened: it is a folder, a device or a pipe (reading one
// would never end, or block; writing one would lose what is written), or it is larger than any
// file of the program's could be and reading it would fill the memory. Empty when it may be
// opened, or when it is missing and opening it will say so.
QString refusal(const QString &path, bool forReading);

// A write refused before it starts, or success.
FileResult writeRefusal(const QString &path);

FileResult unencodable(char32_t character);

} // namespace kotohana::TextFile
