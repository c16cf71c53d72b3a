#pragma once

#include "records/PlayRecord.h"

#include <array>
#include <vector>

namespace kotohana {

class RecordStore;
class Grid;

// The record lists of the diary and edit pages: one row per record in file order, columns
// 回数, 日付, 時間, 項目, 秒数 and 一言日記.
namespace RecordLists {

using Widths = std::array<int, 6>; // twips

void setup(Grid &grid, int fontSize, const Widths &widths);
// Appends one row per record; the list then opens scrolled to the newest row when it has
// more than scrollAfterRows rows.
void fill(Grid &grid, const std::vector<PlayRecord> &records, int scrollAfterRows);
// Reads データ.txt into the list; true when the file held lines that are not records (which a
// rewrite from the list would drop).
bool load(Grid &grid, RecordStore &store, int scrollAfterRows);
// The records as the list shows them, for rewriting データ.txt; a row can be left out.
std::vector<PlayRecord> records(const Grid &grid, int skipRow = -1);

} // namespace RecordLists
} // namespace kotohana
