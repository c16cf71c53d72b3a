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
const QString kPartSuffix = QStringLiteral(".part");

// The day of a folder name the backups made, "2024-05-18"; nothing for any other name.
std::optional<QDate> dayOf(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!pattern.match(name).hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(name, QStringView(kDayFormat));
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

QString failedBackup(const QString &reason)
{
    return QStringLiteral("今日のバックアップを作れませんでした。\n%1").arg(reason);
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
    Result result;
    const QString today = dayDirectory(m_clock.today());
    if (QFileInfo(today).isDir())
        return result;
    result.failure = makeToday(today);
    if (!result.failure.isEmpty())
        return result;
    result.made = true;
    result.removed = prune();
    return result;
}

QString Backups::makeToday(const QString &day) const
{
    const QString shown = QDir::toNativeSeparators(directory());
    if (!QDir().mkpath(directory()))
        return failedBackup(QStringLiteral("フォルダ「%1」を作れませんでした。").arg(shown));
    // What a backup stopped part-way (a kill, a full disk) left of any day.
    QDir root(directory());
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name.endsWith(kPartSuffix) && dayOf(name.chopped(kPartSuffix.size())))
            QDir(root.filePath(name)).removeRecursively();
    }
    const QString part = day + kPartSuffix;
    if (!QDir().mkpath(part))
        return failedBackup(QStringLiteral("フォルダ「%1」を作れませんでした。").arg(QDir::toNativeSeparators(part)));
    for (const QString &name : m_fileNames) {
        const QString source = m_folder.path(name);
        if (source.isEmpty() || !QFileInfo(source).isFile())
            continue;
        const FileResult copied = TextFile::copy(source, QDir(part).filePath(QFileInfo(source).fileName()));
        if (!copied.ok()) {
            QDir(part).removeRecursively();
            return failedBackup(copied.message);
        }
    }
    if (!root.rename(QFileInfo(part).fileName(), QFileInfo(day).fileName())) {
        QDir(part).removeRecursively();
        return failedBackup(QStringLiteral("フォルダ「%1」を作れませんでした。").arg(QDir::toNativeSeparators(day)));
    }
    return {};
}

QStringList Backups::prune() const
{
    QDir root(directory());
    std::vector<std::pair<QDate, QString>> days;
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (const std::optional<QDate> day = dayOf(name))
            days.emplace_back(*day, name);
    }
    std::sort(days.begin(), days.end(), [](const auto &a, const auto &b) { return a.first > b.first; });

    const auto playDays = [&](const QString &name) {
        QSet<QString> dates;
        const QString records = DataFolder(root.filePath(name)).path(PlayRecordFile::kFileName);
        for (const PlayRecord &record : PlayRecordFile(records).readAll().records)
            dates.insert(record.date);
        return dates;
    };
    QSet<QString> held; // the play days the kept backups hold
    QStringList removed;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const QString &name = days[i].second;
        const QSet<QString> dates = playDays(name);
        const bool kept = i < std::size_t(kKeptDays) || !(dates - held).isEmpty();
        if (kept) {
            held += dates;
            continue;
        }
        if (QDir(root.filePath(name)).removeRecursively())
            removed.append(name);
    }
    return removed;
}

} // namespace kotohana
