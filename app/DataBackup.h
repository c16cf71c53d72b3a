#pragma once

#include "records/Backups.h"

#include <QStringList>

namespace kotohana {

class DataFolder;
class MessageBoxes;
struct Services;

// The names of every data file: the delivered files, the games' histories and settings, and
// the answer file and log of each topic 連想心理's topic list offers.
QStringList dataFileNames(const DataFolder &folder);

// The backups of the data folder's files.
Backups dataBackups(const Services &services);

// At start, before any file is read: completes a restore that was stopped part-way, so that
// every file is the backup's or every file is as it was, and tells the user what it did.
Backups::Completion completeInterruptedRestore(const DataFolder &folder, MessageBoxes &messages);

// At the first start of a day, copies the data files into the day's backup folder and removes
// the days no longer kept. Nothing in a read-only run. A backup that fails is told to the
// user, and the program goes on without it.
void backUpDataFiles(const Services &services);

// Before a step that removes plays (a new start, a deletion): makes the day's backup anew, so
// that it holds the plays up to this moment. A backup that fails is told, and the user says
// whether to go on without it; false when the user stays.
bool backUpBeforeRemoving(const Services &services);

} // namespace kotohana
