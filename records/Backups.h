#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace kotohana {

class Clock;
class DataFolder;

// A copy of the data files for each day the program is started on, in the sub-folder
// バックアップ of the data folder: バックアップ/2024-05-18/ holds the files as they were at the
// first start of 2024/05/18, under the names they have in the data folder, so that putting
// them back is copying them over the data folder's own.
//
// The 14 newest days are kept. An older day is removed only when no play is lost with it:
// every play (its date, time and game) it holds must be held by a day that stays too.
// Normally each day holds every play of the days before, so older days go; but the last days
// before a new start (which empties データ.txt) or before plays were deleted hold plays no
// later day has, and stay until those plays are in a later backup again. Before a new start
// or a deletion the day's backup is made anew, so that it holds the plays of that day too.
//
// Only what the backups made is ever removed: each backup folder holds a marker file, written
// before anything is copied, that names the files copied into it. A folder without one (the
// user's own, say "2020-01-01" with notes) or a link is never touched, and of a marked folder
// only the files the marker names are removed; the folder goes only when nothing else is in it.
class Backups final
{
public:
    static constexpr char16_t kFolderName[] = u"バックアップ";
    static constexpr int kKeptDays = 14;
    static constexpr char16_t kMarkerName[] = u".kotohana-backup";

    // The backup of the files of those names (the ones the folder holds; missing ones are
    // left out) in folder, dated by clock.
    Backups(const DataFolder &folder, const Clock &clock, QStringList fileNames);

    struct Result {
        bool made = false;   // today's backup was made now
        QStringList removed; // the days removed, "2024-05-01"
        QString failure;     // what went wrong, for the user; empty when nothing did
        QStringList tooLarge; // files left out: larger than any file of the program's can be
    };
    // Makes today's backup unless there is one already, then removes the days no longer kept.
    // The copies go to a folder that takes the day's name only once every file is in it, so
    // a day's folder is always whole; a failed backup leaves nothing behind.
    Result makeDaily() const;
    // Makes today's backup anew, whether there is one or not (before a new start or a
    // deletion), then removes the days no longer kept. The old one stays until the new one is
    // whole.
    Result refresh() const;

    QString directory() const;
    // The folder of the day's backup.
    QString dayDirectory(QDate day) const;

private:
    Result make(bool anew) const;
    QString makeToday(const QString &day, QStringList &tooLarge) const;
    void removeLeftovers() const;
    QStringList prune() const;

    const DataFolder &m_folder;
    const Clock &m_clock;
    QStringList m_fileNames;
};

} // namespace kotohana
