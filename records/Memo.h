#pragma once

#include "platform/FileResult.h"

#include <QString>

namespace kotohana {

class DataFolder;

// メモ.TXT: the free memo, written as typed (CR LF line breaks) and one more CR LF.
namespace Memo {

// The memo without its final line break; an empty or missing file is an empty memo.
QString load(const DataFolder &folder);
FileResult save(const DataFolder &folder, const QString &text);

} // namespace Memo
} // namespace kotohana
