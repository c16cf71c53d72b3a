#pragma once

#include <QString>

namespace kotohana {

class MessageBoxes;
struct FileResult;
struct RecordRewrite;

// What the record book tells the user around a save.
namespace SaveMessages {

// True when every character of the text can be stored; otherwise says which cannot.
bool checkStorable(MessageBoxes &messages, const QString &text);
// True on success; otherwise says what went wrong (the file on disk is unchanged).
bool report(MessageBoxes &messages, const FileResult &result);
// As report(), and tells about the backup a rewrite made of unreadable lines.
bool report(MessageBoxes &messages, const RecordRewrite &rewrite);

} // namespace SaveMessages
} // namespace kotohana
