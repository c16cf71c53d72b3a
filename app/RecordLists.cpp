#include "RecordLists.h"

#include "PageTools.h"

#include "stats/CellTexts.h"
#include "records/RecordStore.h"
#include "ui/Grid.h"

namespace kotohana::RecordLists {

void setup(Grid &grid, int fontSize, const Widths &widths)
{
    using Align = Grid::Align;
    PageTools::setupGrid(grid, fontSize,
                         {{QStringLiteral("回数"), widths[0], Align::Right},
                          {QStringLiteral("日付"), widths[1], Align::Center},
                          {QStringLiteral("時間"), widths[2], Align::Center},
                          {QStringLiteral("項目"), widths[3], Align::Left},
                          {QStringLiteral("秒数"), widths[4], Align::Right},
                          {QStringLiteral("一言日記"), widths[5], Align::Left}});
}

void fill(Grid &grid, const std::vector<PlayRecord> &records, int scrollAfterRows)
{
    grid.setRows(int(records.size()) + 1);
    int row = 1;
    CellTexts::SecondsTexts seconds;
    for (const PlayRecord &record : records) {
        grid.setTextMatrix(row, 0, CellTexts::number(row));
        grid.setTextMatrix(row, 1, record.date);
        grid.setTextMatrix(row, 2, record.time);
        grid.setTextMatrix(row, 3, record.item);
        grid.setTextMatrix(row, 4, seconds.text(record.seconds));
        grid.setTextMatrix(row, 5, record.diary);
        ++row;
    }
    if (grid.rows() > scrollAfterRows)
        grid.setTopRow(grid.rows() - 1);
}

bool load(Grid &grid, RecordStore &store, int scrollAfterRows)
{
    const PlayRecordFile::ReadResult &read = store.current();
    fill(grid, read.records, scrollAfterRows);
    return !read.lossless();
}

std::vector<PlayRecord> records(const Grid &grid, int skipRow)
{
    std::vector<PlayRecord> result;
    result.reserve(std::size_t(grid.rows()));
    for (int row = 1; row < grid.rows(); ++row) {
        if (row == skipRow)
            continue;
        result.push_back(PlayRecordFile::fromListRow(grid.textMatrix(row, 1), grid.textMatrix(row, 2),
                                                     grid.textMatrix(row, 3), grid.textMatrix(row, 4),
                                                     grid.textMatrix(row, 5)));
    }
    return result;
}

} // namespace kotohana::RecordLists
