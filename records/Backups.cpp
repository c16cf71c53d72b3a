#include "Backups.h"

#include "PlayRecordFile.h"

#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

namespace kotohana {
namespace {

constexpr char16_t kDayFormat[] = u"yyyy-MM-dd";
const QString kPartSuffix = QStringLiteral(".part"); // a backup being made
const QString kOldSuffix = QStringLiteral(".old");   // a day's backup being made anew
// The marker's first line; the names of the copied files follow.
constexpr char16_t kMarkerTitle[] = u"コトハナのバックアップ";

// The day of a folder name the backups made, "2024-05-18"; nothing for any other name.
std::optional<QDate> dayOf(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!pattern.match(name).hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(name, QStringView(kDayFormat));
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

// The day of a folder name with the given ending ("2024-05-18.part").
std::optional<QDate> dayOf(const QString &name, const QString &suffix)
{
    return name.endsWith(suffix) ? dayOf(name.chopped(suffix.size())) : std::nullopt;
}

QString failedBackup(const QString &reason)
{
    return QStringLiteral("今日のバックアップを作れませんでした。\n%1").arg(reason);
}

// The files the backups copied into the folder, as its marker names them; nothing when the
// folder is not one the backups made: no marker, a marker that is not theirs, or a link.
std::optional<QStringList> copiedInto(const QString &folder)
{
    const QFileInfo info(folder);
    const QFileInfo marker(QDir(folder).filePath(QString::fromUtf16(Backups::kMarkerName)));
    if (info.isSymLink() || !info.isDir() || marker.isSymLink() || !marker.isFile())
        return std::nullopt;
    const TextFile::ReadResult read = TextFile::read(marker.filePath());
    const QList<QStringView> lines = TextFile::lines(read.text);
    if (!read.ok || lines.isEmpty() || lines.first() != QStringView(kMarkerTitle))
        return std::nullopt;
    QStringList names;
    for (QStringView name : lines.mid(1)) {
        if (!name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/'))
            names.append(name.toString());
    }
    return names;
}

// Removes what the backups put into the folder: the files its marker names, what a copy cut
// short left beside them, and the marker; then the folder, when nothing else is left in it.
// Nothing in a folder the backups did not make. True when the folder is gone.
bool removeCopies(const QString &folder)
{
    const std::optional<QStringList> copied = copiedInto(folder);
    if (!copied)
        return false;
    QDir dir(folder);
    for (const QString &name : *copied) {
        const QFileInfo file(dir.filePath(name));
        if (file.isFile() && !file.isSymLink())
            dir.remove(name);
    }
    DataFolder(folder).removeLeftovers(*copied);
    dir.remove(QString::fromUtf16(Backups::kMarkerName));
    return QDir().rmdir(folder);
}

} // namespace

Backups::Backups(const DataFolder &folder, const Clock &clock, QStringList fileNames)
    : m_folder(folder)
    , m_clock(clock)
    , m_fileNames(std::move(fileNames))
{
}

QString Backups::directory() const
{
    return QDir(m_folder.directory()).filePath(QString::fromUtf16(kFolderName));
}

QString Backups::dayDirectory(QDate day) const
{
    return QDir(directory()).filePath(day.toString(QStringView(kDayFormat)));
}

Backups::Result Backups::makeDaily() const
{
    return make(false);
}

Backups::Result Backups::refresh() const
{
    return make(true);
}

Backups::Result Backups::make(bool anew) const
{
    Result result;
    const QString today = dayDirectory(m_clock.today());
    if (!anew && QFileInfo(today).isDir())
        return result;
    result.failure = makeToday(today, result.tooLarge);
    if (!result.failure.isEmpty())
        return result;
    result.made = true;
    result.removed = prune();
    return result;
}

void Backups::removeLeftovers() const
{
    // What a backup stopped part-way (a kill, a full disk) left of any day; a day's backup
    // being made anew goes back to its place if the new one did not take it.
    QDir root(directory());
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        if (dayOf(name, kPartSuffix)) {
            removeCopies(root.filePath(name));
        } else if (dayOf(name, kOldSuffix) && copiedInto(root.filePath(name))) {
            const QString day = name.chopped(kOldSuffix.size());
            if (QFileInfo(root.filePath(day)).isDir())
                removeCopies(root.filePath(name));
            else
                root.rename(name, day);
        }
    }
}

QString Backups::makeToday(const QString &day, QStringList &tooLarge) const
{
    const QString shown = QDir::toNativeSeparators(directory());
    if (!QDir().mkpath(directory()))
        return failedBackup(QStringLiteral("フォルダ「%1」を作れませんでした。").arg(shown));
    removeLeftovers();
    const QString part = day + kPartSuffix;
    const QString cannotMake = QStringLiteral("フォルダ「%1」を作れませんでした。");
    if (!QDir().mkdir(part))
        return failedBackup(cannotMake.arg(QDir::toNativeSeparators(part)));
    // The marker first: a backup stopped at any later point is known as the backups' own.
    QStringList sources;
    QStringList marker{QString::fromUtf16(kMarkerTitle)};
    for (const QString &name : m_fileNames) {
        const QString source = m_folder.path(name);
        if (source.isEmpty() || !QFileInfo(source).isFile())
            continue;
        if (TextFile::tooLarge(source)) {
            tooLarge.append(QFileInfo(source).fileName());
            continue;
        }
        sources.append(source);
        marker.append(QFileInfo(source).fileName());
    }
    FileResult written = TextFile::writeLines(QDir(part).filePath(QString::fromUtf16(kMarkerName)), marker);
    for (qsizetype i = 0; written.ok() && i < sources.size(); ++i)
        written = TextFile::copy(sources[i], QDir(part).filePath(marker[i + 1]));
    if (!written.ok()) {
        removeCopies(part);
        QDir().rmdir(part);
        return failedBackup(written.message);
    }
    // A day's backup made anew takes the old one's place only once it is whole.
    const QString old = day + kOldSuffix;
    const bool replacing = QFileInfo(day).isDir();
    if (replacing && (!copiedInto(day) || !QDir().rename(day, old))) {
        removeCopies(part);
        return failedBackup(cannotMake.arg(QDir::toNativeSeparators(day)));
    }
    if (!QDir().rename(part, day)) {
        if (replacing)
            QDir().rename(old, day);
        removeCopies(part);
        return failedBackup(cannotMake.arg(QDir::toNativeSeparators(day)));
    }
    if (replacing)
        removeCopies(old);
    return {};
}

QStringList Backups::prune() const
{
    QDir root(directory());
    std::vector<std::pair<QDate, QString>> days;
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const std::optional<QDate> day = dayOf(name);
        if (day && copiedInto(root.filePath(name)))
            days.emplace_back(*day, name);
    }
    std::sort(days.begin(), days.end(), [](const auto &a, const auto &b) { return a.first > b.first; });

    // A play is known by when it was saved and its game: a diary line written later is the
    // same play.
    const auto playsOf = [&](const QString &name) {
        QSet<QString> plays;
        const QString records = DataFolder(root.filePath(name)).path(PlayRecordFile::kFileName);
        for (const PlayRecord &record : PlayRecordFile(records).readAll().records)
            plays.insert(record.date + record.time + record.item);
        return plays;
    };
    QSet<QString> held; // the plays the kept backups hold
    QStringList removed;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const QString &name = days[i].second;
        const QSet<QString> plays = playsOf(name);
        const bool kept = i < std::size_t(kKeptDays) || !(plays - held).isEmpty();
        if (kept) {
            held += plays;
            continue;
        }
        if (removeCopies(root.filePath(name)))
            removed.append(name);
    }
    return removed;
}

} // namespace kotohana
