#include "FileMove.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace kotohana::FileMove {

FileResult replace(const QString &from, const QString &to)
{
    errno = 0;
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return FileResult::success();
    const int error = errno;
    return FileResult::failed(
        QStringLiteral("ファイル「%1」を置き換えられませんでした。\n（%2）").arg(QFileInfo(to).fileName(), reasonOf(error)));
}

QString reasonOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが許可されていません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き容量が足りません");
    case EISDIR:
    case ENOTEMPTY:
    case EEXIST:
        return QStringLiteral("同じ名前のフォルダがあります");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("ファイルまたはフォルダが見つかりません");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました。ディスクやその接続に問題がある可能性があります");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ほかのプログラムが使用中です");
    case EXDEV:
        return QStringLiteral("別のディスクへは移せません");
    case ENAMETOOLONG:
        return QStringLiteral("ファイルの名前が長すぎます");
    case ELOOP:
        return QStringLiteral("リンクが多すぎます");
    case EMLINK:
        return QStringLiteral("フォルダの中のファイルが多すぎます");
    default:
        return QStringLiteral("システムのエラー（番号 %1）").arg(error);
    }
}

} // namespace kotohana::FileMove
