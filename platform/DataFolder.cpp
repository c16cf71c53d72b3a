#include "DataFolder.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>

namespace kotohana {

DataFolder::DataFolder(QString directory)
    : m_directory(QDir(directory).absolutePath())
{
}

bool DataFolder::acceptsName(QStringView fileName)
{
    if (fileName.isEmpty() || fileName.contains(u"..") || fileName.contains(u'/') || fileName.contains(u'\\'))
        return false;
    return std::none_of(fileName.begin(), fileName.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString DataFolder::path(QStringView fileName) const
{
    if (!acceptsName(fileName))
        return {};
    const QDir dir(m_directory);
    const QString exact = dir.filePath(fileName.toString());
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

bool DataFolder::contains(QStringView fileName) const
{
    return QFileInfo::exists(path(fileName));
}

bool DataFolder::writable() const
{
    QTemporaryFile probe(QDir(m_directory).filePath(QStringLiteral(".kotohana-XXXXXX")));
    return probe.open() && probe.write("\r\n", 2) == 2 && probe.flush();
}

QString DataFolder::choose(const QStringList &arguments, const QString &programDirectory, const QString &userDataDirectory)
{
    if (arguments.size() > 1 && !arguments.at(1).isEmpty())
        return QDir(arguments.at(1)).absolutePath();
    if (!programDirectory.isEmpty() && DataFolder(programDirectory).contains(u"データ.txt"))
        return QDir(programDirectory).absolutePath();
    return QDir(userDataDirectory).absolutePath();
}

DataFolder::Delivery DataFolder::deliverMissing(const QString &sourceDirectory) const
{
    Delivery delivery;
    const QDir source(sourceDirectory);
    const QStringList names = source.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (contains(name))
            continue;
        const FileResult written = restore(sourceDirectory, name);
        if (written.ok())
            delivery.created.append(name);
        else
            delivery.failures.append(written.message);
    }
    return delivery;
}

QStringList DataFolder::removeLeftovers(const QStringList &ownFiles) const
{
    static const QRegularExpression leftover(
        QStringLiteral("^(.+)%1[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(QString::fromUtf16(TextFile::kSaveMark))));
    QDir dir(m_directory);
    QStringList removed;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &entry : entries) {
        const QRegularExpressionMatch match = leftover.match(entry);
        if (!match.hasMatch() || !ownFiles.contains(match.captured(1), Qt::CaseInsensitive))
            continue;
        if (dir.remove(entry))
            removed.append(entry);
    }
    return removed;
}

FileResult DataFolder::restore(const QString &sourceDirectory, const QString &fileName) const
{
    QFile file(QDir(sourceDirectory).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failed(QStringLiteral("「%1」の元データを読み込めませんでした。").arg(fileName));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines;
    for (QStringView line : TextFile::lines(text))
        lines.append(line.toString());
    return TextFile::writeLines(path(fileName), lines);
}

} // namespace kotohana
