#pragma once

#include "FileResult.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kotohana {

// Whole Shift_JIS text files with CR LF line ends: read whole, rewritten whole in one
// step, or appended to one line at a time.
namespace TextFile {

struct ReadResult {
    QString text;
    bool exists = false;
    bool ok = false;               // false when the file exists but cannot be read
    bool hadInvalidBytes = false;  // bytes that are not Shift_JIS became substitutes
    QString message;               // why it could not be read
};

ReadResult read(const QString &path);

// Splits at CR LF or a bare LF. A line break at the very end does not start another line.
QList<QStringView> lines(QStringView text);

// Replaces the file with the given lines, each followed by CR LF. The new content goes to a
// temporary file that takes the old file's place only once it is complete.
FileResult writeLines(const QString &path, const QStringList &lines);

// Replaces the file with exactly this text (the caller supplies any line breaks).
FileResult writeText(const QString &path, QStringView text);

// Adds one line and its CR LF at the end of the file (created if missing) in a single
// write. If the write fails part-way the file is cut back to its old length.
FileResult appendLine(const QString &path, QStringView line);

// Leaves an empty file (created if missing).
FileResult truncate(const QString &path);

// The size of the file in bytes; 0 for a missing file.
qint64 size(const QString &path);

// Takes back what was appended since the file had the given size.
FileResult cutBack(const QString &path, qint64 size);

} // namespace TextFile
} // namespace kotohana
