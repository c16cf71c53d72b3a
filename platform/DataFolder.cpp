#include "DataFolder.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    return std::none_of(fileName.begin(), fileName.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
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

QString DataFolder::choose(const QStringList &arguments, const QString &programDirectory,
                           const QString &userDataDirectory)
{
    if (arguments.size() > 1 && !arguments.at(1).isEmpty())
        return QDir(arguments.at(1)).absolutePath();
    if (DataFolder(programDirectory).contains(u"データ.txt"))
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

namespace {

// Whether a name's end is the six random letters QSaveFile gives its temporary file. A user's
// own suffix of six letters is mostly a word (backup, BACKUP, Backup), so only letters of mixed
// case with a capital after the first are taken: a leftover is safe to keep, a user's file is
// not safe to lose. About one leftover in twenty then stays.
bool isSaveSuffix(QStringView suffix)
{
    const auto lower = [](QChar c) { return c >= u'a' && c <= u'z'; };
    const auto upper = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    return suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(), [&](QChar c) { return lower(c) || upper(c); })
        && std::any_of(suffix.begin(), suffix.end(), lower) && std::any_of(suffix.begin() + 1, suffix.end(), upper);
}

} // namespace

QStringList DataFolder::removeLeftovers(const QStringList &ownFiles) const
{
    constexpr qsizetype kSuffix = 7; // the dot and six letters
    QDir dir(m_directory);
    QStringList removed;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &entry : entries) {
        if (entry.size() <= kSuffix || entry.at(entry.size() - kSuffix) != u'.')
            continue;
        const QStringView name = QStringView(entry).chopped(kSuffix);
        if (!isSaveSuffix(QStringView(entry).last(kSuffix - 1)) || !ownFiles.contains(name, Qt::CaseInsensitive))
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
