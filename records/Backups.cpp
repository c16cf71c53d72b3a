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
#include <tuple>

namespace kotohana {
namespace {

constexpr char16_t kDayFormat[] = u"yyyy-MM-dd";
const QString kPartSuffix = QStringLiteral(".part"); // a backup being made
const QString kOldSuffix = QStringLiteral(".old"); // a day's backup being made anew
// The marker's first line; the names of the copied files follow.
constexpr char16_t kMarkerTitle[] = u"コトハナのバックアップ";

// The name of a backup made before a restore: the day, the time and this mark.
constexpr char16_t kTimeFormat[] = u"HH-mm-ss";
constexpr char16_t kBeforeRestoreMark[] = u"復元前";

struct Named {
    QDate day;
    QTime beforeRestore; // null for a day's backup
};

// What a folder name the backups made tells: "2024-05-18" is a day's backup,
// "2024-05-18_21-05-09_復元前" the one made before a restore at that moment. Nothing for any
// other name.
std::optional<Named> nameOf(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(?:_(\\d{2}-\\d{2}-\\d{2})_%1)?$").arg(QString::fromUtf16(kBeforeRestoreMark)));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const Named named{QDate::fromString(match.captured(1), QStringView(kDayFormat)),
                      QTime::fromString(match.captured(2), QStringView(kTimeFormat))};
    if (!named.day.isValid() || (match.hasCaptured(2) && !named.beforeRestore.isValid()))
        return std::nullopt;
    return named;
}

// The day of a day's backup, "2024-05-18"; nothing for any other name.
std::optional<QDate> dayOf(const QString &name)
{
    const std::optional<Named> named = nameOf(name);
    return named && named->beforeRestore.isNull() ? std::optional<QDate>(named->day) : std::nullopt;
}

// The name of a backup's folder with the given ending ("2024-05-18.part").
std::optional<Named> nameOf(const QString &name, const QString &suffix)
{
    return name.endsWith(suffix) ? nameOf(name.chopped(suffix.size())) : std::nullopt;
}

QString failedBackup(const QString &reason)
{
    return QStringLiteral("今日のバックアップを作れませんでした。\n%1").arg(reason);
}

QString failedRestore(const QString &reason)
{
    return QStringLiteral("バックアップから復元できませんでした。\n%1").arg(reason);
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
    const QString failure = makeCopy(today, result.tooLarge);
    if (!failure.isEmpty()) {
        result.failure = failedBackup(failure);
        return result;
    }
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
        if (nameOf(name, kPartSuffix)) {
            removeCopies(root.filePath(name));
        } else if (nameOf(name, kOldSuffix) && copiedInto(root.filePath(name))) {
            const QString day = name.chopped(kOldSuffix.size());
            if (QFileInfo(root.filePath(day)).isDir())
                removeCopies(root.filePath(name));
            else
                root.rename(name, day);
        }
    }
}

QString Backups::makeCopy(const QString &target, QStringList &tooLarge) const
{
    const QString shown = QDir::toNativeSeparators(directory());
    if (!QDir().mkpath(directory()))
        return QStringLiteral("フォルダ「%1」を作れませんでした。").arg(shown);
    removeLeftovers();
    const QString part = target + kPartSuffix;
    const QString cannotMake = QStringLiteral("フォルダ「%1」を作れませんでした。");
    if (!QDir().mkdir(part))
        return cannotMake.arg(QDir::toNativeSeparators(part));
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
        return written.message;
    }
    // A backup made anew takes the old one's place only once it is whole.
    const QString old = target + kOldSuffix;
    const bool replacing = QFileInfo(target).isDir();
    if (replacing && (!copiedInto(target) || !QDir().rename(target, old))) {
        removeCopies(part);
        return cannotMake.arg(QDir::toNativeSeparators(target));
    }
    if (!QDir().rename(part, target)) {
        if (replacing)
            QDir().rename(old, target);
        removeCopies(part);
        return cannotMake.arg(QDir::toNativeSeparators(target));
    }
    if (replacing)
        removeCopies(old);
    return {};
}

std::vector<Backups::Kept> Backups::kept() const
{
    QDir root(directory());
    std::vector<Kept> backups;
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const std::optional<Named> named = nameOf(name);
        const std::optional<QStringList> files = named ? copiedInto(root.filePath(name)) : std::nullopt;
        if (!files)
            continue;
        Kept backup;
        backup.directory = root.filePath(name);
        backup.day = named->day;
        backup.beforeRestore = named->beforeRestore;
        const auto records = std::find_if(files->begin(), files->end(), [](const QString &file) {
            return file.compare(QStringView(PlayRecordFile::kFileName), Qt::CaseInsensitive) == 0;
        });
        const QFileInfo recordFile(QDir(backup.directory).filePath(records == files->end() ? QString() : *records));
        backup.holdsRecords = records != files->end() && !recordFile.isSymLink();
        if (backup.holdsRecords) {
            const PlayRecordFile::ReadResult read = PlayRecordFile(recordFile.filePath()).readAll();
            backup.plays = int(read.records.size());
            if (!read.records.empty())
                backup.lastPlay = read.records.back().date;
        }
        backups.push_back(std::move(backup));
    }
    const auto newness = [](const Kept &backup) {
        return std::tuple(backup.day, backup.beforeRestore.isValid(), backup.beforeRestore.msecsSinceStartOfDay());
    };
    std::sort(backups.begin(), backups.end(), [&](const Kept &a, const Kept &b) { return newness(a) > newness(b); });
    return backups;
}

Backups::Restored Backups::restore(const Kept &backup) const
{
    Restored result;
    const std::optional<QStringList> files = copiedInto(backup.directory);
    if (!files) {
        result.failure = failedRestore(QStringLiteral("「%1」は、このソフトが作ったバックアップではありません。")
                                           .arg(QDir::toNativeSeparators(backup.directory)));
        return result;
    }
    std::vector<std::pair<QString, QString>> copies;
    for (const QString &name : *files) {
        const QString source = QDir(backup.directory).filePath(name);
        if (QFileInfo(source).isSymLink()) {
            result.failure = failedRestore(QStringLiteral("バックアップの「%1」はリンクのため、復元しませんでした。").arg(name));
            return result;
        }
        copies.emplace_back(source, m_folder.path(name));
    }

    const QDateTime now = m_clock.now();
    const QString before = QDir(directory())
                               .filePath(QStringLiteral("%1_%2_%3")
                                             .arg(now.date().toString(QStringView(kDayFormat)),
                                                  now.time().toString(QStringView(kTimeFormat)),
                                                  QString::fromUtf16(kBeforeRestoreMark)));
    const QString notKept = QStringLiteral("いまのデータのバックアップを作れなかったため、何も変えていません。\n%1");
    if (QFileInfo::exists(before)) {
        result.failure = failedRestore(notKept.arg(QStringLiteral("少し待ってから、もう一度お試しください。")));
        return result;
    }
    QStringList tooLarge;
    if (const QString failure = makeCopy(before, tooLarge); !failure.isEmpty()) {
        result.failure = failedRestore(notKept.arg(failure));
        return result;
    }
    if (!tooLarge.isEmpty()) {
        removeCopies(before);
        result.failure = failedRestore(notKept.arg(QStringLiteral("次のファイルが大きすぎます。\n%1").arg(tooLarge.join(u'\n'))));
        return result;
    }
    result.before = before;

    qsizetype replaced = 0;
    const FileResult copied = TextFile::copyTogether(copies, &replaced);
    if (copied.ok())
        return result;
    if (replaced == 0) {
        result.failure = failedRestore(QStringLiteral("いまのデータは、そのまま変わっていません。\n%1").arg(copied.message));
        return result;
    }
    // A file that could not take its place after others had taken theirs (the folder changed
    // in that moment): those go back as they were.
    std::vector<std::pair<QString, QString>> back;
    for (qsizetype i = 0; i < replaced; ++i) {
        const QString saved = QDir(before).filePath(QFileInfo(copies[std::size_t(i)].second).fileName());
        if (QFileInfo(saved).isFile())
            back.emplace_back(saved, copies[std::size_t(i)].second);
    }
    const QString undone = TextFile::copyTogether(back).ok()
        ? QStringLiteral("途中まで復元したファイルは、元に戻しました。")
        : QStringLiteral("途中まで復元したファイルを元に戻せませんでした。「%1」から復元してください。")
              .arg(QDir::toNativeSeparators(before));
    result.failure = failedRestore(copied.message + u'\n' + undone);
    return result;
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
