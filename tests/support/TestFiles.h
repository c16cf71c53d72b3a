#pragma once

#include <QByteArray>
#include <QString>

namespace kotohana::test {

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
// The text in Shift_JIS, each "\n" written as CR LF: how the program's files look on disk.
QByteArray sjis(const QString &text);

} // namespace kotohana::test
