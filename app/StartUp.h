#pragma once

#include "platform/DataFolder.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace kotohana {

class Clock;
class FolderLock;
class MessageBoxes;
class RecordStore;

// The program's start, up to the point where the main window can be built. Reading the record
// file is its longest step, so it begins before Qt, on the store's own thread, from the folder
// the arguments and the program's place point to; the folder is settled once Qt runs, and the
// records are read anew should it turn out another.
class StartUp final
{
public:
    // Before Qt: with an option among the arguments (one of Qt's own, such as -platform)
    // nothing is read ahead, since the data folder is known only once Qt has taken its own
    // out; nor when the program's folder is unknown, as a portable copy may hold the records.
    StartUp(const QStringList &arguments, const QString &programDirectory, const QString &userData, const Clock &clock);
    ~StartUp();
    StartUp(const StartUp &) = delete;
    StartUp &operator=(const StartUp &) = delete;

    // The folder whose records are being read ahead; empty when none is.
    QString directoryReadAhead() const;

    // Once Qt runs, from its arguments: makes the data folder, locks it for this copy,
    // delivers the files it lacks and has the records read from it. False when the program is
    // to end; the user has been told why.
    bool settleFolder(const QStringList &arguments, const QString &programDirectory, const QString &deliveredFrom,
                      MessageBoxes &messages);

    // After settleFolder() succeeded.
    const DataFolder &folder() const { return *m_folder; }
    RecordStore &records() const { return *m_records; }

private:
    const Clock &m_clock;
    QString m_userData;
    std::unique_ptr<RecordStore> m_records;
    std::unique_ptr<FolderLock> m_lock;
    std::optional<DataFolder> m_folder;
};

// Runs the program: starts up, opens the main window and runs until the user ends it.
int runProgram(int argc, char **argv);

} // namespace kotohana
