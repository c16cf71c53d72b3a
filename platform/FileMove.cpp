#include "FileMove.h"

#include "FileErrors.h"
#include "System.h"

#include <QFileInfo>

namespace kotohana::FileMove {

FileResult replace(const QString &from, const QString &to)
{
    System::clearLastError();
    if (System::replace(from, to))
        return FileResult::success();
    const int error = System::lastError();
    return FileResult::failed(
        QStringLiteral("ファイル「%1」を置き換えられませんでした。\n（%2）").arg(QFileInfo(to).fileName(), reasonOf(error)));
}

QString reasonOf(int error)
{
    const QString cause = TextFile::causeText(System::failureOf(error));
    return cause.isEmpty() ? QStringLiteral("システムのエラー（番号 %1）").arg(error) : cause;
}

} // namespace kotohana::FileMove
