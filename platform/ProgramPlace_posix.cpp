#include "ProgramPlace.h"

#include <QFile>
#include <QFileInfo>

namespace kotohana {

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
