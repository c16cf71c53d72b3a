#pragma once

#include "records/PlayRecordFile.h"
#include "stats/CellTexts.h"
#include "stats/RangeList.h"
#include "ui/GridModel.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace kotohana {

class Grid;
struct Services;

// What a column of a record list shows.
enum class RecordColumn { Number, Date, Time, Weekday, Item, Seconds, Diary };

// The rows of a record list, made from the records as they are shown: a list of years of
// plays holds the records it shows alive instead of copying their texts. Row numbers run
// from 1 in the order listed.
class RecordRows final : public GridRows
{
public:
    using Snapshot = std::shared_ptr<const PlayRecordFile::ReadResult>;

    // Every record, in file order.
    RecordRows(Snapshot read, std::vector<RecordColumn> columns);
    // The records a range listing picked from the snapshot's records.
    RecordRows(Snapshot read, std::vector<RecordColumn> columns, std::vector<RangeListing::Row> picked);

    int count() const override;
    QString text(int row, int col) const override;

private:
    Snapshot m_read;
    std::vector<RecordColumn> m_columns;
    std::vector<RangeListing::Row> m_picked;
    bool m_everyRecord = true;
    mutable CellTexts::SecondsTexts m_seconds;
};

// The record lists of the sort, diary and edit pages: one row per record in file order,
// columns 回数, 日付, 時間, 項目, 秒数 and 一言日記.
namespace RecordLists {

using Widths = std::array<int, 6>; // twips

void setup(Grid &grid, int fontSize, const Widths &widths);
// One row per record; the list then opens scrolled to the newest row when it has more than
// scrollAfterRows rows.
void fill(Grid &grid, RecordRows::Snapshot read, int scrollAfterRows);
// Lists データ.txt as it is now; a file that cannot be read is reported and lists nothing.
void load(Grid &grid, const Services &services, int scrollAfterRows);
// A change to the record a row shows, a new diary or (with none) its deletion, applied to
// データ.txt as it is now; the user is told when it could not be made. The list then shows the
// file as it is, with the same rows in view. Gives the row the record has now, or 0 when the
// change was not made (or the record was deleted).
int change(Grid &grid, const Services &services, int row, const std::optional<QString> &diary);

} // namespace RecordLists
} // namespace kotohana
