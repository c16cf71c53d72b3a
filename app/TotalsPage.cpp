#include "TotalsPage.h"

#include "PageTools.h"

#include "platform/Dates.h"
#include "records/Items.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr int kSubtotalColumnWidth = 1250;
constexpr int kItemColumnWidth = 1180;

} // namespace

TotalsPage::TotalsPage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraSyuukei"));
    const QString captions[] = {QStringLiteral("時間集計　表示"), QStringLiteral("回数集計　表示"),
                                QStringLiteral("時間 ＆ 回数　集計　表示")};
    auto *modes = new QButtonGroup(this);
    auto *modeRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        optList2[std::size_t(i)] = new QRadioButton(captions[i], this);
        optList2[std::size_t(i)]->setObjectName(QStringLiteral("optList2%1").arg(i));
        modes->addButton(optList2[std::size_t(i)], i);
        modeRow->addWidget(optList2[std::size_t(i)]);
    }
    modeRow->addStretch(1);
    // The table follows the mode however it is chosen: a click, the arrow keys or an assistive
    // tool's action.
    connect(modes, &QButtonGroup::idToggled, this, [this](int mode, bool chosen) {
        if (chosen)
            optList2_Click(mode);
    });

    msgKakei1 = new Grid(this);
    msgKakei1->setObjectName(QStringLiteral("msgKakei1"));
    msgKakei1->setAccessibleName(QStringLiteral("月別の集計"));
    msgKakei2 = new Grid(this);
    msgKakei2->setObjectName(QStringLiteral("msgKakei2"));
    msgKakei2->setAccessibleName(QStringLiteral("日別の集計"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(modeRow);
    layout->addWidget(new QLabel(QStringLiteral("月別"), this));
    layout->addWidget(msgKakei1, 2);
    layout->addWidget(new QLabel(QStringLiteral("日別"), this));
    layout->addWidget(msgKakei2, 3);
}

QString TotalsPage::helpText()
{
    return QStringLiteral("プレイしたデータを月別、日別の集計結果で見ることができます。\r\n\r\n");
}

void TotalsPage::open(const QString &firstRecordDate, const QString &lastRecordDate)
{
    m_first = firstRecordDate;
    m_last = lastRecordDate;
    {
        const QSignalBlocker quiet(optList2[0]->group());
        optList2[0]->setChecked(true);
    }
    optList2_Click(0);
}

void TotalsPage::optList2_Click(int index)
{
    const auto mode = TotalsTable::Mode(index);
    const std::vector<PlayRecord> &records = PageTools::readRecords(m_services);
    const std::optional<QDate> first = Dates::parse(m_first);
    const std::optional<QDate> last = Dates::parse(m_last);
    std::pair<TotalsTable, TotalsTable> tables;
    if (first && last)
        tables = TotalsTable::buildDaysAndMonths(records, *first, *last, mode);
    build(*msgKakei2, TotalsTable::Unit::Day, tables.first);
    build(*msgKakei1, TotalsTable::Unit::Month, tables.second);
}

void TotalsPage::build(Grid &grid, TotalsTable::Unit unit, const TotalsTable &table)
{
    const bool monthly = unit == TotalsTable::Unit::Month;
    grid.clear();
    grid.setRows(1);
    grid.setCols(int(itemNames().size()) + 3);
    grid.setFontSize(10);
    const QString headings[] = {QStringLiteral("回"), monthly ? QStringLiteral("年月") : QStringLiteral("年月日"),
                                QStringLiteral("小計")};
    const int widths[] = {620, 950, kSubtotalColumnWidth};
    for (int c = 0; c < 3; ++c) {
        grid.setTextMatrix(0, c, headings[c]);
        grid.setColWidth(c, widths[c]);
    }
    grid.setColAlignment(0, Grid::Align::Right);
    grid.setColAlignment(1, Grid::Align::Center);
    grid.setColAlignment(2, Grid::Align::Right);
    for (int c = 0; c < grid.cols(); ++c)
        grid.setFixedAlignment(c, c <= 9 ? Grid::Align::Center : Grid::Align::Left);

    for (std::size_t i = 0; i < itemNames().size(); ++i) {
        const int column = int(i) + 3;
        grid.setTextMatrix(0, column, itemNames()[i].left(5));
        grid.setColWidth(column, kItemColumnWidth);
        grid.setColAlignment(column, Grid::Align::Right);
    }
    if (table.rows.empty())
        return;
    grid.setRows(int(table.rows.size()) + 1);
    const QColor brightWhite(255, 255, 255);
    const QColor lightRed(255, 0, 0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const int row = int(r) + 1;
        for (int c = 0; c < table.rows[r].size(); ++c)
            grid.setTextMatrix(row, c, table.rows[r][c]);
        grid.gridModel().setBackColor(row, 1, brightWhite);
        grid.gridModel().setBackColor(row, 2, brightWhite);
    }
    if (table.hasTotalRow) {
        const int row = grid.rows() - 1;
        for (int c = 1; c < grid.cols(); ++c)
            grid.gridModel().setForeColor(row, c, lightRed);
    }
    if (grid.rows() > (monthly ? 7 : 19))
        grid.setTopRow(grid.rows() - 1);
}

} // namespace kotohana
