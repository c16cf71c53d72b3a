#pragma once

#include "platform/FileResult.h"

#include <QString>

namespace kotohana {

class DataFolder;

// メモ.TXT: the free memo, written as typed (CR LF line breaks) and one more CR LF.
namespace Memo {

struct Loaded {
    QString text; // without its final line break
    bool ok = true; // false when the file exists but cannot be read
    QString message; // why it could not be read
};
// The memo; an empty or missing file is an empty memo.
Loaded load(const DataFolder &folder);
FileResult save(const DataFolder &folder, const QString &text);

} // namespace Memo
} // namespace kotohana
