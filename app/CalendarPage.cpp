#include "CalendarPage.h"

#include "PageTools.h"

#include "platform/Clock.h"
#include "platform/Dates.h"
#include "records/Services.h"
#include "stats/CellTexts.h"
#include "ui/Chart.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/Theme.h"
#include "ui/GridModel.h"
#include "ui/YearGridView.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kotohana {
namespace {

const QString kLegendCaptions[] = {QStringLiteral("0回："),   QStringLiteral("1-2回："), QStringLiteral("3-4回："),
                                   QStringLiteral("5-6回："), QStringLiteral("7-8回："), QStringLiteral("9-10回："),
                                   QStringLiteral("10超：")};

QString legendText(int colorClass, qint64 days)
{
    return kLegendCaptions[colorClass] + QString::number(days) + QStringLiteral("日");
}

// A label of a legend, on the colour it stands for, in the text that reads on it.
QLabel *legendLabel(const QString &name, const QColor &color, ColourUse use, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->setMargin(4);
    setThemedColours(*label, color, QPalette::Window, use);
    return label;
}

} // namespace

CalendarPage::CalendarPage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraCale"));
    msgCale = new Grid(this);
    msgCale->setObjectName(QStringLiteral("msgCale"));
    msgCale_w = new Grid(this);
    msgCale_w->setObjectName(QStringLiteral("msgCale_w"));
    msgCale->setAccessibleName(QStringLiteral("月別の実施状況"));
    msgCale_w->setAccessibleName(QStringLiteral("週別の実施状況"));

    auto *legend = new QGroupBox(QStringLiteral("色の目安"), this);
    auto *legendRow = new QHBoxLayout(legend);
    for (int k = 0; k < 7; ++k) {
        QLabel *label = legendLabel(QStringLiteral("lblHan%1").arg(k),
                                    k == 0 ? QColor(Qt::white) : windowsColor(CalendarData::classColor(k)), ColourUse::Cell,
                                    legend);
        legendRow->addWidget(label);
        lblHan[std::size_t(k)] = label;
    }
    legendRow->addStretch(1);

    mcrKensu = new Chart(this);
    mcrKensu->setObjectName(QStringLiteral("mcrKensu"));
    mcrKingaku = new Chart(this);
    mcrKingaku->setObjectName(QStringLiteral("mcrKingaku"));
    mcrKensu->setMinimumHeight(140);
    mcrKingaku->setMinimumHeight(140);
    mcrKensu->setAccessibleName(QStringLiteral("週別セット数"));
    mcrKensu->setSubject(QStringLiteral("曜日別のセット数"));
    mcrKingaku->setAccessibleName(QStringLiteral("週別回数"));
    mcrKingaku->setSubject(QStringLiteral("曜日別の秒数"));
    auto *playsFrame = new QGroupBox(QStringLiteral("週別セット数"), this);
    (new QVBoxLayout(playsFrame))->addWidget(mcrKensu);
    auto *secondsFrame = new QGroupBox(QStringLiteral("週別回数"), this);
    (new QVBoxLayout(secondsFrame))->addWidget(mcrKingaku);

    yearGrid = new YearGridView(this);
    yearGrid->setObjectName(QStringLiteral("yearGrid"));
    yearGrid->setAccessibleName(QStringLiteral("1年間のプレイ"));
    yearGrid->setDescription(QStringLiteral("12か月の毎日のプレイ時間を色の濃さで表します。"
                                            "矢印キーで日を選び、Enter キーでその日をメイン画面に表示します。"));
    connect(yearGrid, &YearGridView::dayOpened, this, &CalendarPage::dayOpened);
    cmdPrevMonth = new QPushButton(QStringLiteral("前の月"), this);
    cmdPrevMonth->setObjectName(QStringLiteral("cmdPrevMonth"));
    cmdNextMonth = new QPushButton(QStringLiteral("次の月"), this);
    cmdNextMonth->setObjectName(QStringLiteral("cmdNextMonth"));
    connect(cmdPrevMonth, &QPushButton::clicked, this, [this] { showYear(m_shownMonth.addMonths(-1)); });
    connect(cmdNextMonth, &QPushButton::clicked, this, [this] { showYear(m_shownMonth.addMonths(1)); });
    lblYearSpan = new QLabel(this);
    lblYearSpan->setObjectName(QStringLiteral("lblYearSpan"));
    auto *yearFrame = new QGroupBox(QStringLiteral("1年間のプレイ"), this);
    auto *yearColumn = new QVBoxLayout(yearFrame);
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(cmdPrevMonth);
    yearRow->addWidget(lblYearSpan);
    yearRow->addWidget(cmdNextMonth);
    yearRow->addStretch(1);
    yearRow->addWidget(new QLabel(QStringLiteral("1日のプレイ時間："), yearFrame));
    for (int step = 0; step < YearGrid::kSteps; ++step) {
        lblYearStep[std::size_t(step)] = legendLabel(QStringLiteral("lblYearStep%1").arg(step),
                                                     windowsColor(YearGrid::stepColor(step)), ColourUse::Step, yearFrame);
        yearRow->addWidget(lblYearStep[std::size_t(step)]);
    }
    yearColumn->addLayout(yearRow);
    yearColumn->addWidget(yearGrid, 0, Qt::AlignLeft);
    // Tab goes through the page as it reads: the year grid stands between the month and the
    // week calendars.
    setTabOrder(msgCale, cmdPrevMonth);
    setTabOrder(cmdPrevMonth, cmdNextMonth);
    setTabOrder(cmdNextMonth, yearGrid);
    setTabOrder(yearGrid, msgCale_w);

    auto *lower = new QHBoxLayout;
    // Three equal thirds: the week calendar's columns fit in one at the smallest size, and its
    // width does not follow its texts, which would have the charts drawn anew at each opening.
    lower->addWidget(msgCale_w, 1);
    lower->addWidget(playsFrame, 1);
    lower->addWidget(secondsFrame, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(msgCale, 3);
    layout->addWidget(legend);
    layout->addWidget(yearFrame);
    layout->addLayout(lower, 2);
    setupMonthGrid();
    setupWeekGrid();
    showWeekdays({}, {});
}

QString CalendarPage::helpText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("実施状況を色と数字で把握できるカレンダーです。") + crlf + crlf
        + QStringLiteral("月毎のデータリストと週毎のデータリストを持ちます。") + crlf + crlf
        + QStringLiteral("色が実施状況（セット数）、数字が合計回数を表します。") + crlf + crlf
        + QStringLiteral("週毎で件数と台数をグラフ表示できます。") + crlf + crlf;
}

void CalendarPage::setupMonthGrid()
{
    msgCale->clear();
    msgCale->setRows(1);
    msgCale->setCols(32);
    msgCale->setFontSize(9);
    msgCale->setTextMatrix(0, 0, QStringLiteral("年月"));
    msgCale->setColWidth(0, 1290);
    msgCale->setColAlignment(0, Grid::Align::Center);
    msgCale->setFixedAlignment(0, Grid::Align::Center);
    for (int d = 1; d <= 31; ++d) {
        msgCale->setTextMatrix(0, d, QString::number(d));
        msgCale->setColWidth(d, 310);
        msgCale->setColAlignment(d, Grid::Align::Center);
        msgCale->setFixedAlignment(d, Grid::Align::Center);
    }
}

void CalendarPage::setupWeekGrid()
{
    msgCale_w->clear();
    msgCale_w->setFontSize(9);
    msgCale_w->setRows(1);
    msgCale_w->setCols(8);
    msgCale_w->setTextMatrix(0, 0, QStringLiteral("年月日"));
    msgCale_w->setColWidth(0, 1310);
    msgCale_w->setColAlignment(0, Grid::Align::Center);
    msgCale_w->setFixedAlignment(0, Grid::Align::Center);
    for (int w = 1; w <= 7; ++w) {
        msgCale_w->setTextMatrix(0, w, Dates::weekdayName(w));
        msgCale_w->setColWidth(w, 320);
        msgCale_w->setColAlignment(w, Grid::Align::Center);
        msgCale_w->setFixedAlignment(w, Grid::Align::Center);
    }
}

void CalendarPage::showWeekdays(const std::array<qint64, 8> &plays, const std::array<qint64, 8> &seconds)
{
    // Every point is set, so a chart that already has its seven keeps them: one showing these
    // very values is not drawn again.
    const std::pair<Chart *, const std::array<qint64, 8> *> charts[] = {{mcrKensu, &plays}, {mcrKingaku, &seconds}};
    for (const auto &[chart, values] : charts) {
        chart->setSeriesCount(1);
        if (chart->pointCount() != 7)
            chart->setPointCount(7);
        for (int w = 1; w <= 7; ++w) {
            chart->setCurrentPoint(w);
            chart->setLabel(CellTexts::weekdayName(w));
            chart->setValue(double((*values)[std::size_t(w)]));
        }
    }
}

void CalendarPage::fill(const QString &firstRecordDate, const QString &lastRecordDate)
{
    setupMonthGrid();
    setupWeekGrid();
    for (int k = 0; k < 7; ++k)
        lblHan[std::size_t(k)]->setText(legendText(k, 0));
    m_months = {};
    const std::optional<QDate> first = Dates::parse(firstRecordDate);
    const std::optional<QDate> last = Dates::parse(lastRecordDate);
    if (!first || !last || *last < *first) {
        showWeekdays({}, {});
    } else {
        const std::vector<PlayRecord> &records = PageTools::readRecords(m_services);
        FillMonthCalendar(records, *first, *last);
        FillWeekCalendar(records, *first, *last);
    }
    const QDate today = m_services.clock.today();
    m_yearMonths = YearGrid::shownMonths(m_months, today);
    yearGrid->setToday(today);
    showYear(m_yearMonths.initial);
    yearGrid->setCurrentDay(today);
}

void CalendarPage::showYear(QDate month)
{
    m_shownMonth = std::clamp(month, m_yearMonths.earliest, m_yearMonths.latest);
    const YearGrid year = YearGrid::build(m_months, m_shownMonth);
    std::vector<YearGridView::Day> days;
    days.reserve(year.days.size());
    for (const YearGrid::Day &day : year.days) {
        days.push_back(
            {day.date, windowsColor(YearGrid::stepColor(day.step)), day.date.isValid() ? YearGrid::dayText(day) : QString()});
    }
    std::vector<YearGridView::MonthLabel> months;
    for (const YearGrid::MonthLabel &label : year.months)
        months.push_back({label.week, label.text});
    yearGrid->setDays(std::move(days), std::move(months));
    for (int step = 0; step < YearGrid::kSteps; ++step) {
        QLabel *label = lblYearStep[std::size_t(step)];
        label->setText(year.stepText(step));
        label->setVisible(!label->text().isEmpty());
    }
    lblYearSpan->setText(year.spanText());
    cmdPrevMonth->setEnabled(m_shownMonth > m_yearMonths.earliest);
    cmdNextMonth->setEnabled(m_shownMonth < m_yearMonths.latest);
}

void CalendarPage::FillMonthCalendar(const std::vector<PlayRecord> &records, QDate first, QDate last)
{
    m_months = CalendarData::months(records, first, last);
    const CalendarData::Months &months = m_months;
    msgCale->setRows(int(months.labels.size()) + 1);
    for (int m = 0; m < months.labels.size(); ++m) {
        msgCale->setTextMatrix(m + 1, 0, months.labels[m]);
        for (int d = 1; d <= 31; ++d) {
            const qint64 plays = months.plays[std::size_t(m)][std::size_t(d)];
            if (plays == 0)
                continue;
            msgCale->setTextMatrix(m + 1, d, CellTexts::number(plays));
            msgCale->gridModel().setBackColor(m + 1, d, windowsColor(CalendarData::classColor(CalendarData::colorClass(plays))));
        }
    }
    if (msgCale->rows() > 13)
        msgCale->setTopRow(msgCale->rows() - 1);
    for (int k = 0; k < 7; ++k)
        lblHan[std::size_t(k)]->setText(legendText(k, months.legend[std::size_t(k)]));
}

void CalendarPage::FillWeekCalendar(const std::vector<PlayRecord> &records, QDate first, QDate last)
{
    const CalendarData::Weeks weeks = CalendarData::weeks(records, first, last);
    msgCale_w->setRows(int(weeks.labels.size()) + 1);
    for (int u = 0; u < weeks.labels.size(); ++u) {
        msgCale_w->setTextMatrix(u + 1, 0, weeks.labels[u]);
        for (int w = 1; w <= 7; ++w) {
            const qint64 plays = weeks.plays[std::size_t(u)][std::size_t(w)];
            if (plays == 0)
                continue;
            msgCale_w->setTextMatrix(u + 1, w, CellTexts::number(plays));
            msgCale_w->gridModel().setBackColor(u + 1, w, windowsColor(CalendarData::classColor(CalendarData::colorClass(plays))));
        }
    }
    showWeekdays(weeks.playsPerWeekday, weeks.secondsPerWeekday);
    if (msgCale_w->rows() > 16)
        msgCale_w->setTopRow(msgCale_w->rows() - 1);
}

} // namespace kotohana
