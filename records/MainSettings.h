#pragma once

#include "platform/FileResult.h"

#include <QString>

namespace kotohana {

class DataFolder;

// 設定.txt (the help-tour switch) and プライベート.txt (the user's name), one record each.
namespace MainSettings {

// A setting as its file holds it. A file that is there but cannot be read (a folder, a pipe, no
// permission) gives the default and the message that tells the user so, naming the file.
template <typename T>
struct Setting {
    T value{};
    QString failure;
};

// 1 (on) when the file is missing, unreadable or not a record, or its flag is no int: every page
// then explains itself.
Setting<int> readHelpTourFlag(const DataFolder &folder);
FileResult writeHelpTourFlag(const DataFolder &folder, int flag);

// Empty when the file is missing, unreadable or holds no record.
Setting<QString> readUserName(const DataFolder &folder);
FileResult writeUserName(const DataFolder &folder, const QString &name);

// " 太郎 の コトハナ", or " コトハナ" without a name.
QString windowTitle(const QString &userName);

} // namespace MainSettings
} // namespace kotohana
