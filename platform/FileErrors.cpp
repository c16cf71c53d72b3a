#include "FileErrors.h"

#include "ShiftJis.h"
#include "TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace kotohana::TextFile {
namespace {

// What stopped an operation on the file. The system's error number as the failing call left
// it counts when Qt took it as it was (Qt's text for it is the text Qt gave) or took no error
// at all (a write cut short by a full disk returns the short count): a warning Qt prints on the
// way (its first one reads the logging set-up) can change the number before it is read. Qt
// refuses a folder in the file's place before any system call: that cause, a file that may not
// be written and a missing folder are read from the file system.
System::Failure causeOf(int captured, const QFileDevice &file, const QString &path)
{
    if (captured != 0 && (file.error() == QFileDevice::NoError || qt_error_string(captured) == file.errorString()))
        return System::failureOf(captured);
    const QFileInfo info(path);
    if (info.isDir())
        return System::Failure::Folder;
    if (!info.dir().exists())
        return System::Failure::Missing;
    if (info.exists() && !info.isWritable())
        return System::Failure::Denied;
    return System::Failure::Other;
}

} // namespace

QString displayName(const QString &path)
{
    return QFileInfo(path).fileName();
}

FileResult writeFailure(const QString &path, const QString &reason)
{
    return FileResult::failed(QStringLiteral("ファイル「%1」に書き込めませんでした。\n（%2）").arg(displayName(path), reason));
}

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」を読み込めませんでした。\n（%2）").arg(displayName(path), reason);
}

QString reasonFor(System::Failure failure, const QFileDevice &file, const QString &otherwise)
{
    const QString cause = causeText(failure);
    if (!cause.isEmpty())
        return cause;
    return otherwise.isEmpty() ? file.errorString() : otherwise;
}

QString causeText(System::Failure failure)
{
    switch (failure) {
    case System::Failure::Denied:
        return QStringLiteral("アクセスが許可されていません");
    case System::Failure::ReadOnly:
        return QStringLiteral("読み取り専用の場所です");
    case System::Failure::DiskFull:
        return QStringLiteral("ディスクの空き容量が足りません");
    case System::Failure::Folder:
        return QStringLiteral("同じ名前のフォルダがあります");
    case System::Failure::Missing:
        return QStringLiteral("ファイルまたはフォルダが見つかりません");
    case System::Failure::TooLarge:
        return QStringLiteral("ファイルが大きくなりすぎました。ファイルの大きさの上限を超えています");
    case System::Failure::Disk:
        return QStringLiteral("ディスクの読み書きに失敗しました。ディスクやその接続に問題がある可能性があります");
    case System::Failure::Busy:
        return QStringLiteral("ほかのプログラムが使用中です");
    case System::Failure::OtherDisk:
        return QStringLiteral("別のディスクへは移せません");
    case System::Failure::NameTooLong:
        return QStringLiteral("ファイルの名前が長すぎます");
    case System::Failure::TooManyLinks:
        return QStringLiteral("リンクが多すぎます");
    case System::Failure::FolderFull:
        return QStringLiteral("フォルダの中のファイルが多すぎます");
    case System::Failure::Other:
        break;
    }
    return {};
}

QString reason(int captured, const QFileDevice &file, const QString &path, const QString &otherwise)
{
    return reasonFor(causeOf(captured, file, path), file, otherwise);
}

QString shortWriteReason()
{
    return QStringLiteral("書き込みが途中で止まりました。ディスクの空き容量が足りない可能性があります");
}

FileResult refusedName()
{
    return FileResult::failed(QStringLiteral("ファイル名に使えない文字を含むため、ファイルに書き込みませんでした。"));
}

QString refusal(const QString &path, bool forReading)
{
    const System::Status status = System::statusOf(path);
    if (status.kind == System::Kind::Missing)
        return {};
    if (status.kind == System::Kind::Folder) {
        const QString reason = QStringLiteral("同じ名前のフォルダがあります");
        return forReading ? readFailure(path, reason) : writeFailure(path, reason).message;
    }
    if (status.kind != System::Kind::File)
        return QStringLiteral("ファイル「%1」は普通のファイルではありません（フォルダや装置などです）。").arg(displayName(path));
    if (forReading && status.stamp.size > kLargestFile)
        return QStringLiteral("ファイル「%1」は %2 MB を超えているため、読み込みませんでした。")
            .arg(displayName(path))
            .arg(kLargestFile >> 20);
    return {};
}

FileResult writeRefusal(const QString &path)
{
    const QString refused = refusal(path, false);
    return refused.isEmpty() ? FileResult::success() : FileResult::failed(refused);
}

FileResult unencodable(char32_t character)
{
    return {FileResult::Status::Unencodable, character,
            QStringLiteral("%1 はこのソフトのファイルに保存できない文字です。").arg(ShiftJis::describeCharacter(character))};
}

} // namespace kotohana::TextFile
