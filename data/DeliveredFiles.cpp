#include "DeliveredFiles.h"

namespace kotohana {

QString deliveredFilesDirectory()
{
    return QStringLiteral(":/delivered");
}

} // namespace kotohana
