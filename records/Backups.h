#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>
#include <vector>

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
//
// A restore puts a backup's files back in the data folder's place. The data as they were just
// before go into a backup of their own first, バックアップ/2024-05-18_21-05-09_復元前/ (the
// moment of the restore), so that a restore can be undone by restoring that one. They do not go
// into the day's backup, made anew as before a deletion: the backup restored is often that very
// one (a new start by mistake, put right the same day), and it would be gone. The backups made
// before a restore are never pruned: a restore is rare, and the plays it took back may be held
// nowhere else.
class Backups final
{
public:
    static constexpr char16_t kFolderName[] = u"バックアップ";
    static constexpr int kKeptDays = 14;
    static constexpr char16_t kMarkerName[] = u".kotohana-backup";
    static constexpr char16_t kJournalName[] = u".kotohana-restore";

    // The names of the files the program keeps in a folder laid out as the data folder is: its
    // own files and those of the topics the folder's topic list names.
    using NamesIn = std::function<QStringList(const DataFolder &)>;

    // The backup of the files of those names (the ones the folder holds; missing ones are
    // left out) in folder, dated by clock. A restore writes only files of those names, or of
    // the names namesIn gives for the backup restored (the topics of its own topic list).
    Backups(const DataFolder &folder, const Clock &clock, QStringList fileNames, NamesIn namesIn = {});

    struct Result {
        bool made = false; // today's backup was made now
        QStringList removed; // the days removed, "2024-05-01"
        QString failure; // what went wrong, for the user; empty when nothing did
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

    // A backup as the restore offers it.
    struct Kept {
        QString directory;
        QDate day;
        QTime beforeRestore; // when it was made before a restore; null for a day's backup
        bool holdsRecords = false; // データ.txt is among them
        int plays = 0; // the records of its データ.txt
        QString lastPlay; // the date of its last record, "2024/05/18"; empty with none
    };
    // The backups the program made, newest first (of a day, those made before a restore come
    // before the day's own, the latest first). Only folders with the backups' marker and a
    // name they give; never a link.
    std::vector<Kept> kept() const;

    struct Restored {
        QString failure; // what went wrong, for the user; empty when the backup's files are in place
        QString before; // the backup of the data as they were before the restore, once made
        QStringList skipped; // names the backup's marker lists that are no files of the program's
    };
    // Makes the backup of the data as they are, every file the restore will write among them,
    // then puts each file the backup holds (as its marker names them) in the place of the data
    // folder's file of that name, all or none. A restored file keeps the permissions the data
    // folder's file had. Files the backup does not hold stay as they are: the answers of a
    // topic added since, say, are kept rather than lost. Only the program's own files are
    // written: never its lock, a backup's marker, a hidden file or any other name.
    Restored restore(const Kept &backup) const;

    // Called with each file's name just before it takes its place in a restore: lets a test
    // change the folder at that moment, or slow a restore down to stop it part-way.
    void watchReplacements(std::function<void(const QString &)> watch) { m_watch = std::move(watch); }

    struct Completion {
        bool interrupted = false; // a restore had been cut short
        QStringList completed; // the files put in place now
        QString failure; // what could not be done, for the user; empty when nothing failed
    };
    // Completes a restore a kill or a power cut stopped after its journal was written, and
    // removes what one stopped before left behind. Runs at start, before any file is read.
    static Completion completeInterruptedRestore(const DataFolder &folder);

private:
    Result make(bool anew) const;
    // Copies the data files of those names into the folder `target` (made anew when it is there); what went
    // wrong, or nothing.
    QString makeCopy(const QString &target, const QStringList &names, QStringList &tooLarge) const;
    void removeLeftovers() const;
    QStringList prune() const;

    const DataFolder &m_folder;
    const Clock &m_clock;
    QStringList m_fileNames;
    NamesIn m_namesIn;
    std::function<void(const QString &)> m_watch;
};

} // namespace kotohana
