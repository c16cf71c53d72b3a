#pragma once

#include "platform/FileResult.h"

#include <QString>

namespace kotohana {

class DataFolder;

// 設定.txt (the help-tour switch) and プライベート.txt (the user's name), one record each.
namespace MainSettings {

// A file that is there but cannot be read (a folder, a pipe, no permission) gives the default,
// and `failure` the message that tells the user so, naming the file.

// 1 (on) when the file is missing, unreadable or not a record, or its flag is no int: every page
// then explains itself.
int readHelpTourFlag(const DataFolder &folder, QString *failure = nullptr);
FileResult writeHelpTourFlag(const DataFolder &folder, int flag);

// Empty when the file is missing, unreadable or holds no record.
QString readUserName(const DataFolder &folder, QString *failure = nullptr);
FileResult writeUserName(const DataFolder &folder, const QString &name);

// " 太郎 の コトハナ", or " コトハナ" without a name.
QString windowTitle(const QString &userName);

} // namespace MainSettings
} // namespace kotohana
