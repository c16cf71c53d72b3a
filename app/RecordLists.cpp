#include "RecordLists.h"

#include "PageTools.h"
#include "SaveMessages.h"

#include "platform/DataFolder.h"
#include "platform/MessageBoxes.h"
#include "records/RecordRewrite.h"
#include "records/Services.h"

#include "stats/CellTexts.h"
#include "records/RecordStore.h"
#include "ui/Grid.h"

#include <limits>

namespace kotohana {

RecordRows::RecordRows(Snapshot read, std::vector<RecordColumn> columns)
    : m_read(std::move(read))
    , m_columns(std::move(columns))
{
}

RecordRows::RecordRows(Snapshot read, std::vector<RecordColumn> columns, std::vector<RangeListing::Row> picked)
    : m_read(std::move(read))
    , m_columns(std::move(columns))
    , m_picked(std::move(picked))
    , m_everyRecord(false)
{
}

int RecordRows::count() const
{
    return int(m_everyRecord ? m_read->records.size() : m_picked.size());
}

QString RecordRows::text(int row, int col) const
{
    if (row < 0 || row >= count() || col < 0 || std::size_t(col) >= m_columns.size())
        return {};
    const PlayRecord &record = m_everyRecord ? m_read->records[std::size_t(row)] : *m_picked[std::size_t(row)].record;
    switch (m_columns[std::size_t(col)]) {
    case RecordColumn::Number:
        return CellTexts::number(row + 1);
    case RecordColumn::Date:
        return record.date;
    case RecordColumn::Time:
        return record.time;
    case RecordColumn::Weekday:
        return m_everyRecord ? QString() : CellTexts::weekdayName(m_picked[std::size_t(row)].weekday);
    case RecordColumn::Item:
        return record.item;
    case RecordColumn::Seconds:
        return m_seconds.text(record.seconds);
    case RecordColumn::Diary:
        return record.diary;
    }
    return {};
}

namespace RecordLists {

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
    grid.setFillColumn(5);
}

void fill(Grid &grid, RecordRows::Snapshot read, int scrollAfterRows)
{
    using enum RecordColumn;
    grid.setRowSource(std::make_shared<RecordRows>(std::move(read), std::vector{Number, Date, Time, Item, Seconds, Diary}));
    if (grid.rows() > scrollAfterRows)
        grid.setTopRow(grid.rows() - 1);
}

void load(Grid &grid, const Services &services, int scrollAfterRows)
{
    fill(grid, PageTools::readSnapshot(services), scrollAfterRows);
}

int change(Grid &grid, const Services &services, int row, const std::optional<QString> &diary)
{
    const PlayRecord picked = PlayRecordFile::fromListRow(grid.textMatrix(row, 1), grid.textMatrix(row, 2), grid.textMatrix(row, 3),
                                                          grid.textMatrix(row, 4), grid.textMatrix(row, 5));
    const AppliedChange applied = applyChange(services.folder, services.records, {picked, std::size_t(row - 1), diary});
    const int top = grid.topRow();
    load(grid, services, std::numeric_limits<int>::max());
    grid.setTopRow(top);
    if (!applied.found) {
        services.messages.warning(QStringLiteral("選んだ記録（%1 %2 %3）は、データ.txt にもうありません。"
                                                 "ほかのプログラムで変更されたようです。\r\n一覧を読み直しました。")
                                      .arg(picked.date, picked.time, picked.item),
                                  QStringLiteral("コトハナ"));
        return 0;
    }
    if (!SaveMessages::report(services.messages, applied.rewrite) || !diary)
        return 0;
    return int(applied.index) + 1;
}

} // namespace RecordLists
} // namespace kotohana
