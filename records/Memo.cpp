#include "Memo.h"

#include "platform/DataFolder.h"
#include "platform/TextFile.h"

#include <QStringList>

namespace kotohana::Memo {
namespace {

const QString kMemoFile = QStringLiteral("メモ.TXT");

} // namespace

Loaded load(const DataFolder &folder)
{
    const TextFile::ReadResult file = TextFile::read(folder.path(kMemoFile));
    QStringList lines;
    for (QStringView line : TextFile::lines(file.text))
        lines.append(line.toString());
    return {lines.join(QLatin1StringView("\r\n")), file.ok, file.message};
}

FileResult save(const DataFolder &folder, const QString &text)
{
    QString crlf = text;
    crlf.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    crlf.replace(QLatin1StringView("\n"), QLatin1StringView("\r\n"));
    return TextFile::writeText(folder.path(kMemoFile), crlf + QLatin1StringView("\r\n"));
}

} // namespace kotohana::Memo
