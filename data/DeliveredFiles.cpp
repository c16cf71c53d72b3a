#include "DeliveredFiles.h"

#include <QDir>

namespace kotohana {

QString deliveredFilesDirectory()
{
    return QStringLiteral(":/delivered");
}

QStringList deliveredFileNames()
{
    return QDir(deliveredFilesDirectory()).entryList(QDir::Files);
}

} // namespace kotohana
