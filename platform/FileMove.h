#pragma once

#include "FileResult.h"

#include <QString>

namespace kotohana {

// Moving a file of the data folder into another's place, as a restore does with the copies it
// made beside the files.
namespace FileMove {

// Puts the file `from` in the place of `to` in one step: a file at `to` is replaced, whole, and
// a link there is replaced rather than followed. Both lie in the same folder. On failure the
// message says why in the user's words, and both files are as they were.
FileResult replace(const QString &from, const QString &to);

// Why a file operation failed, in the user's words, from the system's error number (errno, or
// Windows' last error).
QString reasonOf(int error);

} // namespace FileMove
} // namespace kotohana
