#pragma once

#include <QString>
#include <QStringList>

namespace kotohana {

// What the program knows of itself before Qt starts, so that the record file can be read from
// the program's first moment. Once Qt runs, QCoreApplication gives the same.

// The arguments the program was started with, decoded as the system gives them.
QStringList argumentsBeforeQt(int argc, char **argv);

// The folder of the program's own file; empty where the system does not tell it.
QString programDirectoryBeforeQt();

} // namespace kotohana
