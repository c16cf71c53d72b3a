#include "AllGraphPage.h"

#include "PageTools.h"
#include "RecordLists.h"

#include "stats/AllGraph.h"
#include "stats/CellTexts.h"
#include "stats/ChartRules.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr quint32 kLitList = 0xC0E0FF;
constexpr quint32 kLitDaily = 0xC0FFFF;

} // namespace

AllGraphPage::AllGraphPage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraRenTai"));
    using PageTools::button;
    msgDayList2 = new Grid(this);
    msgDayList2->setObjectName(QStringLiteral("msgDayList2"));
    msgDayList3 = new Grid(this);
    msgDayList3->setObjectName(QStringLiteral("msgDayList3"));
    msgDayList3->hide();
    msgDayTotal2 = new Grid(this);
    msgDayTotal2->setObjectName(QStringLiteral("msgDayTotal2"));
    mcrMain2 = new Chart(this);
    mcrMain2->setObjectName(QStringLiteral("mcrMain2"));
    mcrMain3 = new Chart(this);
    mcrMain3->setObjectName(QStringLiteral("mcrMain3"));
    mcrMain3->hide();
    msgDayList2->setAccessibleName(QStringLiteral("これまでのプレイ一覧"));
    msgDayList3->setAccessibleName(QStringLiteral("日別の集計"));
    msgDayTotal2->setAccessibleName(QStringLiteral("項目別のトータル"));
    for (Chart *chart : {mcrMain2, mcrMain3}) {
        chart->setAccessibleName(QStringLiteral("全グラフ"));
        chart->setSubject(QStringLiteral("これまでのプレイ秒数"));
    }
    cmdDay2 = button(this, "cmdDay2", QStringLiteral("時系列データ"));
    cmdTotal2 = button(this, "cmdTotal2", QStringLiteral("項目別トータル時間"));
    cmdJikan2 = button(this, "cmdJikan2", QStringLiteral("時間別トータル時間"));
    cmdHigoto = button(this, "cmdHigoto", QStringLiteral("日別推移 （回数）"));
    cmdHigoto2 = button(this, "cmdHigoto2", QStringLiteral("日別推移 （秒数）"));
    cmdHigoto3 = button(this, "cmdHigoto3", QStringLiteral("日別推移 （平均秒数）"));
    connect(cmdDay2, &QPushButton::clicked, this, &AllGraphPage::cmdDay2_Click);
    connect(cmdTotal2, &QPushButton::clicked, this, &AllGraphPage::cmdTotal2_Click);
    connect(cmdJikan2, &QPushButton::clicked, this, &AllGraphPage::cmdJikan2_Click);
    connect(cmdHigoto, &QPushButton::clicked, this, [this] { cmdHigoto_Click(1); });
    connect(cmdHigoto2, &QPushButton::clicked, this, [this] { cmdHigoto_Click(2); });
    connect(cmdHigoto3, &QPushButton::clicked, this, [this] { cmdHigoto_Click(3); });

    auto *lists = new QGridLayout;
    lists->addWidget(msgDayList2, 0, 0);
    lists->addWidget(msgDayList3, 0, 0);
    auto *buttons = new QGridLayout;
    buttons->addWidget(cmdDay2, 0, 0);
    buttons->addWidget(cmdTotal2, 0, 1);
    buttons->addWidget(cmdJikan2, 0, 2);
    buttons->addWidget(cmdHigoto, 1, 0);
    buttons->addWidget(cmdHigoto2, 1, 1);
    buttons->addWidget(cmdHigoto3, 1, 2);
    auto *charts = new QGridLayout;
    charts->addWidget(mcrMain2, 0, 0);
    charts->addWidget(mcrMain3, 0, 0);
    auto *right = new QVBoxLayout;
    right->addWidget(msgDayTotal2, 2);
    right->addLayout(buttons);
    right->addLayout(charts, 3);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(lists, 1);
    layout->addLayout(right, 1);
}

QString AllGraphPage::helpText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("コトハナを開始した日から現在までの実施推移を表示します。") + crlf + crlf
        + QStringLiteral("実施の全データと各項目のトータル回数、時間、最大秒数、平均秒数をリスト表示します。") + crlf + crlf
        + QStringLiteral("ボタンを押して６種類のグラフに表示切替できます。") + crlf + crlf;
}

void AllGraphPage::setupGrids()
{
    using Align = Grid::Align;
    PageTools::setupGrid(*msgDayList2, 10,
                         {{QString(), 640, Align::Right},
                          {QStringLiteral("日付"), 1260, Align::Center},
                          {QStringLiteral("時間"), 960, Align::Center},
                          {QStringLiteral("項目"), 1860, Align::Left},
                          {QStringLiteral("秒"), 800, Align::Right}});
    PageTools::setupGrid(*msgDayTotal2, 10,
                         {{QString(), 400, Align::Right},
                          {QStringLiteral("項目"), 1320, Align::Left},
                          {QStringLiteral("回数"), 600, Align::Right},
                          {QStringLiteral("秒"), 650, Align::Right},
                          {QStringLiteral("時間"), 910, Align::Right},
                          {QStringLiteral("最大"), 600, Align::Right},
                          {QStringLiteral("平均"), 670, Align::Right}});
    PageTools::setupGrid(*msgDayList3, 11,
                         {{QString(), 640, Align::Right},
                          {QStringLiteral("日付"), 1400, Align::Center},
                          {QStringLiteral("回数"), 810, Align::Right},
                          {QStringLiteral("秒"), 860, Align::Right},
                          {QStringLiteral("最大"), 860, Align::Right},
                          {QStringLiteral("平均"), 860, Align::Right}});
}

void AllGraphPage::LoadAllGraphData(bool noData)
{
    setupGrids();
    // Beside plays, the chart at rest asks for a chart rather than saying there is no data.
    mcrMain2->askForChoice(false);
    if (noData)
        return;
    mcrMain2->setSeriesCount(1);
    mcrMain2->setPointCount(1);
    mcrMain2->setCurrentPoint(1);
    mcrMain2->setValue(0);
    mcrMain2->setLabel(QString());
    mcrMain2->askForChoice(true);

    RecordRows::Snapshot read = PageTools::readSnapshot(m_services);
    const AllGraph graph = buildAllGraph(read->records);
    {
        using enum RecordColumn;
        msgDayList2->setRowSource(std::make_shared<RecordRows>(std::move(read), std::vector{Number, Date, Time, Item, Seconds}));
    }
    if (msgDayList2->rows() > 9)
        msgDayList2->setTopRow(msgDayList2->rows() - 1);

    msgDayTotal2->setRows(int(graph.items.size()) + 1);
    int r = 1;
    for (const AllGraph::ItemRow &item : graph.items) {
        const QString cells[] = {CellTexts::number(r),
                                 item.name,
                                 CellTexts::number(item.count),
                                 CellTexts::number(item.seconds),
                                 CellTexts::hms(item.seconds),
                                 CellTexts::number(item.longest),
                                 item.average};
        for (int c = 0; c < 7; ++c)
            msgDayTotal2->setTextMatrix(r, c, cells[c]);
        ++r;
    }

    msgDayList3->setRows(int(graph.days.size()) + 1);
    r = 1;
    for (const AllGraph::DayRow &day : graph.days) {
        msgDayList3->setTextMatrix(r, 0, CellTexts::number(r));
        msgDayList3->setTextMatrix(r, 1, day.date);
        msgDayList3->setTextMatrix(r, 2, CellTexts::number(day.count));
        msgDayList3->setTextMatrix(r, 3, CellTexts::number(day.seconds));
        msgDayList3->setTextMatrix(r, 4, CellTexts::number(day.longest));
        msgDayList3->setTextMatrix(r, 5, day.average);
        ++r;
    }
    if (msgDayList3->rows() > 8)
        msgDayList3->setTopRow(msgDayList3->rows() - 1);

    const QColor lit = windowsColor(kLitList);
    if (cmdDay2->backColor() == lit)
        cmdDay2_Click();
    if (cmdTotal2->backColor() == lit)
        cmdTotal2_Click();
    if (cmdJikan2->backColor() == lit)
        cmdJikan2_Click();
}

void AllGraphPage::lightButton(ColorButton *lit)
{
    const bool daily = lit == cmdHigoto || lit == cmdHigoto2 || lit == cmdHigoto3;
    PageTools::light({cmdDay2, cmdTotal2, cmdJikan2, cmdHigoto, cmdHigoto2, cmdHigoto3}, lit, daily ? kLitDaily : kLitList);
}

void AllGraphPage::showDaily(bool daily)
{
    msgDayList3->setVisible(daily);
    msgDayList2->setVisible(!daily);
}

void AllGraphPage::cmdDay2_Click()
{
    lightButton(cmdDay2);
    mcrMain3->show();
    mcrMain2->hide();
    showDaily(false);
    const int points = msgDayList2->rows() - 1;
    mcrMain3->setSubject(QStringLiteral("時系列のプレイ秒数"));
    mcrMain3->setSeriesCount(1);
    mcrMain3->setPointCount(points);
    PointTexts texts(msgDayList2->rows());
    for (int i = 1; i <= points; ++i) {
        mcrMain3->setCurrentPoint(i);
        mcrMain3->setValue(texts.value(msgDayList2->textMatrix(i, 4)));
        mcrMain3->setLabel(texts.itemLabel(msgDayList2->textMatrix(i, 3)));
    }
}

void AllGraphPage::cmdTotal2_Click()
{
    lightButton(cmdTotal2);
    mcrMain2->show();
    mcrMain3->hide();
    const int points = msgDayTotal2->rows() - 1;
    mcrMain2->setSubject(QStringLiteral("項目別のトータル秒数"));
    mcrMain2->setSeriesCount(1);
    mcrMain2->setPointCount(points);
    for (int i = 1; i <= points; ++i) {
        mcrMain2->setCurrentPoint(i);
        mcrMain2->setValueText(msgDayTotal2->textMatrix(i, 3));
        mcrMain2->setLabel(itemLabel(msgDayTotal2->textMatrix(i, 1), msgDayTotal2->rows()));
    }
}

void AllGraphPage::cmdJikan2_Click()
{
    lightButton(cmdJikan2);
    mcrMain2->show();
    mcrMain3->hide();
    HourSlots hours;
    PointTexts texts(msgDayList2->rows());
    for (int row = 1; row < msgDayList2->rows(); ++row)
        hours.add(msgDayList2->textMatrix(row, 2), texts.value(msgDayList2->textMatrix(row, 4)));
    mcrMain2->setSubject(QStringLiteral("時間別のトータル秒数"));
    mcrMain2->setSeriesCount(1);
    mcrMain2->setPointCount(24);
    for (int i = 1; i <= 24; ++i) {
        mcrMain2->setCurrentPoint(i);
        mcrMain2->setValue(double(hours.seconds(i - 1)));
        mcrMain2->setLabel(HourSlots::label(i - 1));
    }
}

void AllGraphPage::cmdHigoto_Click(int button)
{
    static constexpr int columns[] = {0, 2, 3, 5}; // count, seconds, average
    static constexpr const char16_t *subjects[] = {nullptr, u"日別のプレイ回数", u"日別のプレイ秒数", u"日別の平均秒数"};
    lightButton(button == 1 ? cmdHigoto : button == 2 ? cmdHigoto2 : cmdHigoto3);
    mcrMain3->show();
    mcrMain2->hide();
    showDaily(true);
    mcrMain3->setSubject(QString::fromUtf16(subjects[button]));
    mcrMain3->setSeriesCount(1);
    mcrMain3->setPointCount(0); // no label of an earlier chart remains
    const int points = msgDayList3->rows() - 1;
    mcrMain3->setPointCount(points);
    mcrMain3->setCurrentSeries(1);
    PointTexts texts(msgDayList3->rows());
    for (int i = 1; i <= points; ++i) {
        mcrMain3->setCurrentPoint(i);
        mcrMain3->setValue(texts.value(msgDayList3->textMatrix(i, columns[button])));
    }
}

} // namespace kotohana
