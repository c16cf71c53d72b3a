#pragma once

#include <QString>
#include <QStringList>

namespace kotohana {

// The folder (inside the program) holding the files the program is delivered with, as UTF-8
// text; missing ones are written into the data folder at start.
QString deliveredFilesDirectory();
// The names of those files.
QStringList deliveredFileNames();

} // namespace kotohana
