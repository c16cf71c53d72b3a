#include "TestFiles.h"

#include "platform/ShiftJis.h"

#include <QFile>

namespace kotohana::test {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray sjis(const QString &text)
{
    QString crlf = text;
    crlf.replace(QLatin1StringView("\n"), QLatin1StringView("\r\n"));
    const EncodedText encoded = ShiftJis::encode(crlf);
    if (!encoded.ok())
        qFatal("test text is not Shift_JIS");
    return encoded.bytes;
}

} // namespace kotohana::test
