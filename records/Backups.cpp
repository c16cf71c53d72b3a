#include "Backups.h"

#include "PlayRecordFile.h"

#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/FileMove.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>
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

// The journal's first line; the backup made before the restore and the names of the files
// follow. The copy of the n-th file waits beside the files as ".kotohana-restore-n".
constexpr char16_t kJournalTitle[] = u"コトハナの復元";

QString stagedName(qsizetype index)
{
    return QStringLiteral("%1-%2").arg(QString::fromUtf16(Backups::kJournalName)).arg(index + 1);
}

// A file a restore makes in the data folder: its journal, the copies waiting beside the files,
// and what a save of either cut short left.
bool isRestoresOwn(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^%1(?:-[1-9][0-9]*)?(?:%2[A-Za-z0-9]{6})?$")
                                                .arg(QRegularExpression::escape(QString::fromUtf16(Backups::kJournalName)),
                                                     QRegularExpression::escape(QString::fromUtf16(TextFile::kSaveMark))));
    return pattern.match(name).hasMatch();
}

// Whether the path holds a file of its own, not a link, a folder or anything else.
bool isPlainFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

QString listed(const QStringList &names)
{
    return QStringLiteral("\n　") + names.join(QStringLiteral("\n　"));
}

// Removes what restores left in the folder: the journal and the copies.
void removeRestoresOwn(const QDir &folder)
{
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        if (isRestoresOwn(name))
            QFile::remove(folder.filePath(name));
    }
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

Backups::Backups(const DataFolder &folder, const Clock &clock, QStringList fileNames, NamesIn namesIn)
    : m_folder(folder)
    , m_clock(clock)
    , m_fileNames(std::move(fileNames))
    , m_namesIn(std::move(namesIn))
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
    const QString failure = makeCopy(today, m_fileNames, result.tooLarge);
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

QString Backups::makeCopy(const QString &target, const QStringList &names, QStringList &tooLarge) const
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
    for (const QString &name : names) {
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
    const QString unchanged = QStringLiteral("いまのデータは、そのまま変わっていません。\n%1");
    const QDir data(m_folder.directory());
    if (QFileInfo::exists(data.filePath(QString::fromUtf16(kJournalName)))) {
        result.failure = failedRestore(
            unchanged.arg(QStringLiteral("前の復元がまだ終わっていません。コトハナを起動し直してください。")));
        return result;
    }

    // Only the files the program keeps, each once: its lock, the marker, a hidden file or any
    // other name a marker lists is never written.
    QStringList own = m_fileNames;
    if (m_namesIn)
        own += m_namesIn(DataFolder(backup.directory));
    struct Step {
        QString name; // as the data folder has it, or as the backup has it for a file the folder lacks
        QString source;
        QString target;
        QString staged;
        bool existed = false;
    };
    std::vector<Step> steps;
    QStringList names;
    for (const QString &name : *files) {
        if (names.contains(name, Qt::CaseInsensitive))
            continue;
        if (name.startsWith(u'.') || !DataFolder::acceptsName(name) || !own.contains(name, Qt::CaseInsensitive)) {
            result.skipped.append(name);
            continue;
        }
        Step step;
        step.source = QDir(backup.directory).filePath(name);
        if (QFileInfo(step.source).isSymLink()) {
            result.failure = failedRestore(QStringLiteral("バックアップの「%1」はリンクのため、復元しませんでした。").arg(name));
            return result;
        }
        step.target = m_folder.path(name);
        const QFileInfo target(step.target);
        step.existed = target.exists() || target.isSymLink();
        if (step.existed && !isPlainFile(step.target)) {
            result.failure = failedRestore(unchanged.arg(
                QStringLiteral("データフォルダの「%1」はふつうのファイルではないため、置き換えません。").arg(target.fileName())));
            return result;
        }
        step.name = target.fileName();
        step.staged = data.filePath(stagedName(qsizetype(steps.size())));
        names.append(step.name);
        steps.push_back(step);
    }
    if (steps.empty()) {
        result.failure = failedRestore(unchanged.arg(QStringLiteral("このバックアップには、復元できるファイルがありません。")));
        return result;
    }

    // The state before holds every file the restore will write, and every other data file.
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
    QStringList kept = m_fileNames;
    for (const QString &name : names) {
        if (!kept.contains(name, Qt::CaseInsensitive))
            kept.append(name);
    }
    QStringList tooLarge;
    if (const QString failure = makeCopy(before, kept, tooLarge); !failure.isEmpty()) {
        result.failure = failedRestore(notKept.arg(failure));
        return result;
    }
    if (!tooLarge.isEmpty()) {
        removeCopies(before);
        result.failure = failedRestore(notKept.arg(QStringLiteral("次のファイルが大きすぎます。\n%1").arg(tooLarge.join(u'\n'))));
        return result;
    }
    result.before = before;

    // Every copy whole beside its file, with the permissions of the file it replaces; then the
    // journal, from which on the restore is completed even if the program is stopped.
    removeRestoresOwn(data);
    FileResult done;
    for (const Step &step : steps) {
        done = TextFile::copy(step.source, step.staged);
        if (done.ok() && step.existed)
            QFile::setPermissions(step.staged, QFileInfo(step.target).permissions());
        if (!done.ok()) {
            // The copy is told by the name of the file it was to replace.
            done.message.replace(QFileInfo(step.staged).fileName(), step.name);
            break;
        }
    }
    if (done.ok())
        done = TextFile::writeLines(data.filePath(QString::fromUtf16(kJournalName)),
                                    QStringList{QString::fromUtf16(kJournalTitle), QDir(before).dirName()} + names);
    if (!done.ok()) {
        removeRestoresOwn(data);
        result.failure = failedRestore(unchanged.arg(done.message));
        return result;
    }

    std::size_t placed = 0;
    for (; placed < steps.size(); ++placed) {
        if (m_watch)
            m_watch(steps[placed].name);
        done = FileMove::replace(steps[placed].staged, steps[placed].target);
        if (!done.ok())
            break;
    }
    if (placed == steps.size()) {
        QFile::remove(data.filePath(QString::fromUtf16(kJournalName)));
        return result;
    }

    // A file could not take its place after others had taken theirs: those go back to what the
    // state before holds, and a file the folder lacked before goes again.
    QStringList putBack;
    QStringList notPutBack;
    for (std::size_t i = 0; i < placed; ++i) {
        const Step &step = steps[i];
        const bool back = step.existed ? TextFile::copy(QDir(before).filePath(step.name), step.target).ok()
                                       : QFile::remove(step.target);
        (back ? putBack : notPutBack).append(step.name);
    }
    removeRestoresOwn(data);
    QString outcome = done.message;
    if (!putBack.isEmpty())
        outcome += QStringLiteral("\n途中まで復元した次のファイルは、元に戻しました。") + listed(putBack);
    if (!notPutBack.isEmpty())
        outcome += QStringLiteral("\n次のファイルは、元に戻せませんでした。バックアップ「%1」から復元してください。")
                       .arg(QDir(before).dirName())
            + listed(notPutBack);
    outcome += QStringLiteral("\nほかのファイルは、そのまま変わっていません。");
    result.failure = failedRestore(outcome);
    return result;
}

Backups::Completion Backups::completeInterruptedRestore(const DataFolder &folder)
{
    Completion completion;
    const QDir data(folder.directory());
    const QString journal = data.filePath(QString::fromUtf16(kJournalName));
    const TextFile::ReadResult read = isPlainFile(journal) ? TextFile::read(journal) : TextFile::ReadResult{};
    const QList<QStringView> lines = TextFile::lines(read.text);
    QStringList failures;
    if (read.ok && lines.size() > 2 && lines.first() == QStringView(kJournalTitle)) {
        completion.interrupted = true;
        for (qsizetype i = 2; i < lines.size(); ++i) {
            const QString name = lines[i].toString();
            const QString staged = data.filePath(stagedName(i - 2));
            // A copy no longer there took its place before the stop; each has the permissions of
            // the file it replaces since it was made.
            if (name.startsWith(u'.') || !DataFolder::acceptsName(name) || !isPlainFile(staged))
                continue;
            const FileResult done = FileMove::replace(staged, folder.path(name));
            if (done.ok())
                completion.completed.append(name);
            else
                failures.append(done.message);
        }
    }
    // What is left is no longer needed; a journal not completed stays, with its copies, for the
    // next start to try again.
    if (failures.isEmpty())
        removeRestoresOwn(data);
    else
        completion.failure = QStringLiteral("前回のバックアップからの復元を終えられませんでした。\n%1\n"
                                            "バックアップ「%2」に、復元の前のデータがあります。")
                                 .arg(failures.join(u'\n'), lines[1].toString());
    return completion;
}

namespace {

// A play is known by when it was saved and its game: a diary line written later is the same
// play. It is held as two digests of those, made with different seeds (a match of both by
// chance is not to be expected in any number of plays), in a sixteenth of the room the texts
// take: a fortnight of backups of years of plays are compared in little memory.
using PlayKey = std::pair<quint64, quint64>;

// The plays of a backup's record file, sorted, each once; read line by line.
std::vector<PlayKey> playsIn(const QString &records)
{
    std::vector<PlayKey> plays;
    if (!isPlainFile(records))
        return plays; // a link is none of the backups' copies, and is never read
    TextFile::LineReader reader(records);
    std::optional<PlayRecord> before;
    QStringView line;
    while (reader.next(line)) {
        std::optional<PlayRecord> record = PlayRecordFile::recordOf(line, before ? &*before : nullptr);
        if (!record)
            continue;
        const QString play = record->date + record->time + record->item;
        plays.emplace_back(quint64(qHash(play, 0x6b6f746f)), quint64(qHash(play, 0x68616e61)));
        before = std::move(record);
    }
    std::sort(plays.begin(), plays.end());
    plays.erase(std::unique(plays.begin(), plays.end()), plays.end());
    return plays;
}

} // namespace

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

    // The newest days are kept whatever they hold: with no more than those, nothing is read.
    if (days.size() <= std::size_t(kKeptDays))
        return {};
    std::vector<PlayKey> held; // the plays the kept backups hold
    QStringList removed;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const QString &name = days[i].second;
        const std::vector<PlayKey> plays = playsIn(DataFolder(root.filePath(name)).path(PlayRecordFile::kFileName));
        const bool kept = i < std::size_t(kKeptDays) || !std::includes(held.cbegin(), held.cend(), plays.cbegin(), plays.cend());
        if (kept) {
            std::vector<PlayKey> joined;
            joined.reserve(held.size() + plays.size());
            std::set_union(held.cbegin(), held.cend(), plays.cbegin(), plays.cend(), std::back_inserter(joined));
            held = std::move(joined);
            continue;
        }
        if (removeCopies(root.filePath(name)))
            removed.append(name);
    }
    return removed;
}

} // namespace kotohana
