#pragma once

#include "PlayRecord.h"

#include <QByteArray>

#include <vector>

namespace kotohana {

// The records as a spreadsheet reads them: UTF-8 with a byte order mark (so that a spreadsheet
// takes the Japanese as UTF-8), a heading row 日付, 時間, 項目, 秒, 一言日記, one row per
// record in file order, CR LF after every row. A field holding a comma, a double quote or a
// line break is put in double quotes, a double quote inside doubled (RFC 4180). A text that
// starts with =, +, -, @, a tab or a line break gets an apostrophe before it, so that no
// spreadsheet runs it as a formula.
QByteArray recordsCsv(const std::vector<PlayRecord> &records);

} // namespace kotohana
