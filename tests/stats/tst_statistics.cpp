#include "stats/AllGraph.h"
#include "stats/CalendarData.h"
#include "stats/CellTexts.h"
#include "stats/RangeList.h"
#include "stats/Rounding.h"
#include "stats/TotalsTable.h"
#include "stats/YearGrid.h"

#include "platform/Dates.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "records/Items.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace kotohana;

namespace {

PlayRecord play(const char *date, const char16_t *item, float seconds, const char *time = "10:00:00")
{
    return {QString::fromUtf8(date), QString::fromLatin1(time), QString::fromUtf16(item), seconds, QString()};
}

QStringList dates(const RangeListing &listing)
{
    QStringList listed;
    for (const RangeListing::Row &row : listing.rows)
        listed.append(row.record->date);
    return listed;
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void periodsCountDaysBack();
    void rangeFilters();
    void rangeLeavesOutDatesThatAreNotDates();
    void allGraphDaysAndItems();
    void datesOutsideTwoCenturiesAreNoDates();
    void colourClasses_data();
    void colourClasses();
    void monthCalendar();
    void weekCalendarStartsOnTheSundayBefore_data();
    void weekCalendarStartsOnTheSundayBefore();
    void yearGridWeeks_data();
    void yearGridWeeks();
    void yearGridDaysAndSteps();
    void yearGridMonthsShown_data();
    void yearGridMonthsShown();
    void totalsTables();
    void cellNumbersAreQtNumbers();
    void cellDatesAreTheDateFormats();
    void cellDatesParseAsSavedDates();
    void cellDurationsAndAverages();
    void cellItemIndexes();
    void cellSecondsAreTheShortestTexts();
    void roundingIsHalfToEven();
};

void TestStatistics::periodsCountDaysBack()
{
    QCOMPARE(periodStart(QDate(2024, 3, 1), 1), QStringLiteral("2024/02/29"));
    QCOMPARE(periodStart(QDate(2024, 3, 1), 365), QStringLiteral("2023/03/02"));
    const std::vector<PlayRecord> records{play("2024/02/28", u"プラマイ", 10), play("2024/02/29", u"プラマイ", 20),
                                          play("2024/03/01", u"しりとり", 30)};
    const RangeListing listing = listRange(records, {periodStart(QDate(2024, 3, 1), 1), QStringLiteral("2024/03/01"), 0, {}},
                                           false);
    QCOMPARE(dates(listing), (QStringList{QStringLiteral("2024/02/29"), QStringLiteral("2024/03/01")}));
    QCOMPARE(listing.rows[0].weekday, 5); // Thursday
    QCOMPARE(listing.itemSeconds[0], qint64(20));
    QCOMPARE(listing.itemSeconds[1], qint64(30));
}

void TestStatistics::rangeFilters()
{
    const std::vector<PlayRecord> records{
        play("2024/03/02", u"バラバラ", 60), // Saturday, long before
        play("2024/03/09", u"バラバラ", 60), // Saturday, the day before the 8 days from 03/10
        play("2024/03/11", u"プラマイ", 12.5f), play("2024/03/16", u"四熟虫喰", 13.5f), // Saturday
        play("2024/03/17", u"バラバラ", 30),
    };
    const QString today = QStringLiteral("2024/03/17");
    QCOMPARE(dates(listRange(records, {periodStart(QDate(2024, 3, 17), 7), today, 7, {}}, false)),
             QStringList{QStringLiteral("2024/03/16")});
    // An item text keeps every item containing it.
    const RangeListing bara = listRange(records, {QString(), today, 0, QStringLiteral("バラ")}, false);
    QCOMPARE(bara.rows.size(), std::size_t(3));
    QCOMPARE(bara.itemSeconds[2], qint64(150));
    QVERIFY(listRange(records, {QString(), today, 0, QStringLiteral("しり")}, false).rows.empty());
    // A start after the end lists nothing, and every item has 0 seconds.
    const RangeListing none = listRange(records, {today, QStringLiteral("2024/03/01"), 0, {}}, false);
    QVERIFY(none.rows.empty());
    for (qint64 seconds : none.itemSeconds)
        QCOMPARE(seconds, qint64(0));
    // Seconds per item are rounded at each addition.
    const std::vector<PlayRecord> halves{play("2024/03/11", u"プラマイ", 12.5f), play("2024/03/12", u"プラマイ", 13.5f)};
    QCOMPARE(listRange(halves, {QString(), today, 0, {}}, false).itemSeconds[0], qint64(26));
    // Records whose date is not a date are left out of every period, and counted.
    const std::vector<PlayRecord> edited{play("2024/02/30", u"プラマイ", 10), play("2024/03/11", u"プラマイ", 10),
                                         play("", u"プラマイ", 10), play("2024/03/12", u"プラマイ", 10)};
    const RangeListing everything = listRange(edited, {QString(), QString(QChar(0xFFFF)), 0, {}}, false);
    QCOMPARE(everything.rows.size(), std::size_t(2));
    QCOMPARE(everything.undated, 2);
    QCOMPARE(listRange(edited, {QString(), QString(QChar(0xFFFF)), 1, {}}, false).undated, 2);
    QCOMPARE(bara.undated, 0);
}

void TestStatistics::rangeLeavesOutDatesThatAreNotDates()
{
    const std::vector<PlayRecord> records{play("2024/03/01", u"プラマイ", 10), play("2024/13/45", u"プラマイ", 10),
                                          play("きのう", u"プラマイ", 10), play("2024/03/01", u"しりとり", 10),
                                          play("2024/03/02", u"しりとり", 10)};
    const RangeListing listing = listRange(records, {QString(), QString(QChar(0xFFFF)), 0, {}}, true);
    QCOMPARE(listing.rows.size(), std::size_t(3));
    QCOMPARE(listing.dates,
             (QStringList{QStringLiteral("2024/03/01"), QStringLiteral("2024/13/45"), QStringLiteral("きのう"),
                          QStringLiteral("2024/03/01"), QStringLiteral("2024/03/02")}));
}

void TestStatistics::allGraphDaysAndItems()
{
    const AllGraph graph = buildAllGraph({play("2024/01/30", u"プラマイ", 12.5f), play("2024/01/30", u"プラマイ", 13.5f),
                                          play("壊れた日付", u"しりとり", 40), play("2024/02/02", u"カラパニ", 3725),
                                          play("2024/01/31", u"カラパニ", 1)}); // out of order: still its own day
    QCOMPARE(graph.items.size(), std::size_t(3)); // never played games have no row
    QCOMPARE(graph.items[0].name, QStringLiteral("プラマイ"));
    QCOMPARE(graph.items[0].seconds, qint64(26));
    QCOMPARE(graph.items[0].longest, qint64(14));
    QCOMPARE(graph.items[0].average, QStringLiteral("13.0"));
    QCOMPARE(graph.items[2].name, QStringLiteral("カラパニ"));
    QCOMPARE(graph.days.size(), std::size_t(4));
    QCOMPARE(graph.days[0].date, QStringLiteral("2024/01/30"));
    QCOMPARE(graph.days[0].count, qint64(2));
    QCOMPARE(graph.days[1].count, qint64(1));
    QCOMPARE(graph.days[2].date, QStringLiteral("2024/02/01"));
    QCOMPARE(graph.days[2].count, qint64(0));
    QCOMPARE(graph.days[2].average, QStringLiteral("0.0"));
    QCOMPARE(graph.days[3].seconds, qint64(3725));
    QVERIFY(buildAllGraph({}).days.empty());
}

void TestStatistics::datesOutsideTwoCenturiesAreNoDates()
{
    const std::vector<PlayRecord> records{play("0100/01/01", u"プラマイ", 10), play("1899/12/31", u"プラマイ", 20),
                                          play("2024/05/18", u"プラマイ", 30), play("2100/01/01", u"プラマイ", 40),
                                          play("9999/12/31", u"プラマイ", 50)};
    const AllGraph graph = buildAllGraph(records);
    QCOMPARE(graph.days.size(), std::size_t(1));
    QCOMPARE(graph.days[0].date, QStringLiteral("2024/05/18"));
    QCOMPARE(graph.items[0].count, qint64(5)); // a play counts for its game whatever its date

    // Over a span around them, those days have no play.
    const QDate first(1899, 12, 31);
    const QDate last(2100, 1, 1);
    const TotalsTable daily = TotalsTable::build(records, first, last, TotalsTable::Unit::Day, TotalsTable::Mode::Count);
    QCOMPARE(daily.rows.front()[2], QStringLiteral("0"));
    QCOMPARE(daily.rows.back()[2], QStringLiteral("0"));
    const TotalsTable monthly = TotalsTable::build(records, first, last, TotalsTable::Unit::Month, TotalsTable::Mode::Count);
    QCOMPARE(monthly.rows.back()[2], QStringLiteral("1")); // the total row
    const CalendarData::Months months = CalendarData::months(records, first, last);
    QCOMPARE(months.plays.front()[31], qint64(0));
    QCOMPARE(months.plays.back()[1], qint64(0));
    const CalendarData::Weeks weeks = CalendarData::weeks(records, first, last);
    QCOMPARE(weeks.playsPerWeekday[std::size_t(Dates::weekday(first))], qint64(0));
    QCOMPARE(weeks.playsPerWeekday[std::size_t(Dates::weekday(last))], qint64(0));
    QCOMPARE(weeks.playsPerWeekday[std::size_t(Dates::weekday(QDate(2024, 5, 18)))], qint64(1));
}

void TestStatistics::colourClasses_data()
{
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("colourClass");
    QTest::addColumn<uint>("colour");
    QTest::newRow("none") << 0 << 0 << 0u;
    QTest::newRow("1") << 1 << 1 << 0xC0C0FFu;
    QTest::newRow("2") << 2 << 1 << 0xC0C0FFu;
    QTest::newRow("4") << 4 << 2 << 0xC0E0FFu;
    QTest::newRow("5") << 5 << 3 << 0xC0FFFFu;
    QTest::newRow("8") << 8 << 4 << 0xC0FFC0u;
    QTest::newRow("10") << 10 << 5 << 0xFFFFC0u;
    QTest::newRow("11") << 11 << 6 << 0xFFC0C0u;
}

void TestStatistics::colourClasses()
{
    QFETCH(int, plays);
    QFETCH(int, colourClass);
    QFETCH(uint, colour);
    QCOMPARE(CalendarData::colorClass(plays), colourClass);
    QCOMPARE(uint(CalendarData::classColor(colourClass)), colour);
}

void TestStatistics::monthCalendar()
{
    std::vector<PlayRecord> records{play("2024/01/31", u"プラマイ", 10)};
    for (int i = 0; i < 11; ++i)
        records.push_back(play("2024/02/10", u"プラマイ", 10));
    for (int i = 0; i < 10; ++i)
        records.push_back(play("2024/02/11", u"しりとり", 10));
    records.push_back(play("2024/03/01", u"プラマイ", 10));
    const CalendarData::Months months = CalendarData::months(records, QDate(2024, 1, 31), QDate(2024, 3, 1));
    QCOMPARE(months.labels,
             (QStringList{QStringLiteral("2024年01月"), QStringLiteral("2024年02月"), QStringLiteral("2024年03月")}));
    QCOMPARE(months.plays[1][10], qint64(11));
    QCOMPARE(months.plays[1][11], qint64(10));
    QCOMPARE(months.plays[1][30], qint64(0)); // no 30 February
    QCOMPARE(months.legend[6], qint64(1));
    QCOMPARE(months.legend[5], qint64(1));
    QCOMPARE(months.legend[1], qint64(2));
    QCOMPARE(months.legend[0], qint64(31 - 4)); // the span holds 31 days
}

void TestStatistics::weekCalendarStartsOnTheSundayBefore_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("firstRow");
    QTest::newRow("Monday") << QDate(2024, 3, 4) << QDate(2024, 3, 3) << 0;
    QTest::newRow("Saturday") << QDate(2024, 3, 9) << QDate(2024, 3, 3) << 0;
    QTest::newRow("Sunday") << QDate(2024, 3, 3) << QDate(2024, 2, 25) << 1;
}

void TestStatistics::weekCalendarStartsOnTheSundayBefore()
{
    QFETCH(QDate, first);
    QFETCH(QDate, start);
    QFETCH(int, firstRow);
    const std::vector<PlayRecord> records{{first.toString(u"yyyy/MM/dd"), QStringLiteral("10:00:00"), QStringLiteral("プラマイ"),
                                           12.5f, QString()},
                                          {first.toString(u"yyyy/MM/dd"), QStringLiteral("11:00:00"), QStringLiteral("プラマイ"),
                                           13.5f, QString()}};
    const CalendarData::Weeks weeks = CalendarData::weeks(records, first, first);
    QCOMPARE(weeks.start, start);
    QCOMPARE(weeks.labels.first(), start.toString(u"yy年MM月dd日"));
    QCOMPARE(weeks.plays.size(), std::size_t(firstRow + 1));
    const int weekday = first.dayOfWeek() % 7 + 1;
    QCOMPARE(weeks.plays[std::size_t(firstRow)][std::size_t(weekday)], qint64(2));
    QCOMPARE(weeks.playsPerWeekday[std::size_t(weekday)], qint64(2));
    QCOMPARE(weeks.secondsPerWeekday[std::size_t(weekday)], qint64(26));
}

void TestStatistics::yearGridWeeks_data()
{
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<QDate>("firstDay");
    QTest::addColumn<QDate>("lastDay");
    QTest::addColumn<int>("firstPlace"); // places count from the first week's Sunday
    QTest::addColumn<int>("lastPlace");
    QTest::addColumn<int>("weeks");
    QTest::addColumn<int>("januaryWeek");
    QTest::newRow("leap year from a Monday")
        << QDate(2024, 12, 5) << QDate(2024, 1, 1) << QDate(2024, 12, 31) << 1 << 366 << 53 << 0;
    QTest::newRow("across the new year") << QDate(2025, 2, 28) << QDate(2024, 3, 1) << QDate(2025, 2, 28) << 5 << 369 << 53 << 44;
    QTest::newRow("leap day, from a Saturday")
        << QDate(2024, 3, 1) << QDate(2023, 4, 1) << QDate(2024, 3, 31) << 6 << 371 << 54 << 40;
    QTest::newRow("from a Sunday") << QDate(2023, 12, 31) << QDate(2023, 1, 1) << QDate(2023, 12, 31) << 0 << 364 << 53 << 0;
}

void TestStatistics::yearGridWeeks()
{
    QFETCH(QDate, shown);
    QFETCH(QDate, firstDay);
    QFETCH(QDate, lastDay);
    QFETCH(int, firstPlace);
    QFETCH(int, lastPlace);
    QFETCH(int, weeks);
    QFETCH(int, januaryWeek);
    const YearGrid grid = YearGrid::build({}, shown);
    QCOMPARE(grid.firstDay, firstDay);
    QCOMPARE(grid.lastDay, lastDay);
    QCOMPARE(grid.weeks, weeks);
    QCOMPARE(int(grid.days.size()), weeks * 7);
    QCOMPARE(grid.days[std::size_t(firstPlace)].date, firstDay);
    QCOMPARE(grid.days[std::size_t(lastPlace)].date, lastDay);
    for (const int place : {firstPlace - 1, lastPlace + 1}) // outside the twelve months: no day
        QVERIFY(place < 0 || place >= weeks * 7 || !grid.days[std::size_t(place)].date.isValid());
    QCOMPARE(grid.months.size(), std::size_t(12));
    const YearGrid::MonthLabel &january = grid.months[std::size_t((13 - firstDay.month()) % 12)];
    QCOMPARE(january.text, QStringLiteral("1月"));
    QCOMPARE(january.week, januaryWeek);
    QCOMPARE(grid.stepText(1), QString()); // nothing played: no time to name
}

void TestStatistics::yearGridDaysAndSteps()
{
    const std::vector<PlayRecord> records{play("2023/05/31", u"プラマイ", 5000), // before the twelve months: not the longest day
                                          play("2024/02/29", u"プラマイ", 12.5), play("2024/02/29", u"しりとり", 13.5),
                                          play("2024/05/01", u"プラマイ", 400),  play("2024/05/02", u"プラマイ", 401),
                                          play("2024/05/10", u"プラマイ", 1200), play("2024/05/11", u"プラマイ", 1201),
                                          play("2024/05/18", u"プラマイ", 600),  play("2024/05/18", u"しりとり", 600),
                                          play("2024/05/18", u"バラバラ", 400)};
    const YearGrid grid = YearGrid::build(CalendarData::months(records, QDate(2023, 5, 31), QDate(2024, 5, 18)),
                                          QDate(2024, 5, 18));
    const auto day = [&grid](int month, int dayOfMonth) {
        const QDate date(month > 5 ? 2023 : 2024, month, dayOfMonth);
        return *std::find_if(grid.days.begin(), grid.days.end(), [&](const YearGrid::Day &d) { return d.date == date; });
    };
    QCOMPARE(grid.spanText(), QStringLiteral("2023年06月～2024年05月"));
    QCOMPARE(grid.longestDay, qint64(1600));
    QCOMPARE(day(5, 18).plays, qint64(3));
    QCOMPARE(day(2, 29).seconds, qint64(26)); // 12.5 rounds to 12, then 25.5 to 26
    const std::pair<int, int> steps[] = {{3, 0}, {29, 1}, {1, 1}, {2, 2}, {10, 3}, {11, 4}, {18, 4}};
    for (const auto &[dayOfMay, step] : steps)
        QCOMPARE(day(dayOfMay == 29 ? 2 : 5, dayOfMay).step, step);
    QCOMPARE(grid.stepText(0), QStringLiteral("なし"));
    QCOMPARE(grid.stepText(1), QStringLiteral("～0:06:40"));
    QCOMPARE(grid.stepText(4), QStringLiteral("～0:26:40"));
    QCOMPARE(YearGrid::dayText(day(2, 29)), QStringLiteral("2024/02/29（木）\n2回　プレイ時間 0:00:26"));
    QCOMPARE(YearGrid::dayText(day(5, 3)), QStringLiteral("2024/05/03（金）\nプレイなし"));
    QCOMPARE(YearGrid::stepColor(1), CalendarData::classColor(6)); // the calendar's most played blue
}

void TestStatistics::yearGridMonthsShown_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QDate>("earliest");
    QTest::addColumn<QDate>("latest");
    QTest::addColumn<QDate>("initial");
    const QDate may(2024, 5, 1);
    QTest::newRow("no play") << QDate() << QDate() << may << may << may;
    QTest::newRow("years up to today") << QDate(2020, 1, 5) << QDate(2024, 5, 18) << QDate(2020, 12, 1) << may << may;
    QTest::newRow("a gap since the last play") << QDate(2021, 3, 3) << QDate(2023, 6, 1) << QDate(2022, 2, 1) << may << may;
    QTest::newRow("last play years ago") << QDate(2021, 3, 3) << QDate(2022, 4, 20) << QDate(2022, 2, 1) << may
                                         << QDate(2022, 4, 1);
    QTest::newRow("a few months") << QDate(2024, 2, 10) << QDate(2024, 4, 30) << may << may << may;
}

void TestStatistics::yearGridMonthsShown()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QDate, earliest);
    QFETCH(QDate, latest);
    QFETCH(QDate, initial);
    CalendarData::Months calendar;
    calendar.first = first;
    calendar.last = last;
    const YearGrid::Span span = YearGrid::shownMonths(calendar, QDate(2024, 5, 18));
    QCOMPARE(span.earliest, earliest);
    QCOMPARE(span.latest, latest);
    QCOMPARE(span.initial, initial);
}

void TestStatistics::totalsTables()
{
    const std::vector<PlayRecord> records{play("2024/02/27", u"プラマイ", 30), play("2024/02/27", u"プラマイ", 30),
                                          play("2024/03/02", u"ボキャブラ", 45)};
    const QDate first(2024, 2, 27);
    const QDate last(2024, 3, 2);
    const TotalsTable daily = TotalsTable::build(records, first, last, TotalsTable::Unit::Day, TotalsTable::Mode::TimeAndCount);
    QCOMPARE(daily.rows.size(), std::size_t(5)); // 27, 28, 29 February, 1 and 2 March
    QCOMPARE(daily.rows[2][1], QStringLiteral("24/02/29"));
    QCOMPARE(daily.rows[0][2], QStringLiteral("0:01:00 (2)"));
    QCOMPARE(daily.rows[0][3], QStringLiteral("60 (2)"));
    QCOMPARE(daily.rows[1][2], QStringLiteral("0:00:00 (0)"));
    QCOMPARE(daily.rows[1][3], QString()); // a game not played that day stays empty
    QVERIFY(!daily.hasTotalRow);

    const TotalsTable monthly = TotalsTable::build(records, first, last, TotalsTable::Unit::Month, TotalsTable::Mode::Count);
    QCOMPARE(monthly.rows.size(), std::size_t(3));
    QCOMPARE(monthly.rows[0][1], QStringLiteral("24/02"));
    QCOMPARE(monthly.rows[1][1], QStringLiteral("24/03"));
    QCOMPARE(monthly.rows[0][2], QStringLiteral("2"));
    QVERIFY(monthly.hasTotalRow);
    QCOMPARE(monthly.rows[2][1], QStringLiteral("合計"));
    QCOMPARE(monthly.rows[2][2], QStringLiteral("3"));
    QCOMPARE(monthly.rows[2][3], QStringLiteral("2"));
    QCOMPARE(monthly.rows[2][4], QStringLiteral("0")); // totals show their zeros
    QCOMPARE(monthly.rows[2][9], QStringLiteral("1"));

    const TotalsTable time = TotalsTable::build(records, first, last, TotalsTable::Unit::Month, TotalsTable::Mode::Time);
    QCOMPARE(time.rows[2][2], QStringLiteral("0:01:45"));
    QCOMPARE(time.itemHeadings.last(), QStringLiteral("ボキャブラ"));

    // Both tables at once are the tables built one by one.
    for (const auto mode : {TotalsTable::Mode::Time, TotalsTable::Mode::Count, TotalsTable::Mode::TimeAndCount}) {
        const auto [days, months] = TotalsTable::buildDaysAndMonths(records, first, last, mode);
        const TotalsTable byDay = TotalsTable::build(records, first, last, TotalsTable::Unit::Day, mode);
        const TotalsTable byMonth = TotalsTable::build(records, first, last, TotalsTable::Unit::Month, mode);
        QCOMPARE(days.rows, byDay.rows);
        QCOMPARE(days.hasTotalRow, false);
        QCOMPARE(months.rows, byMonth.rows);
        QCOMPARE(months.hasTotalRow, true);
        QCOMPARE(days.itemHeadings, byDay.itemHeadings);
    }
    QVERIFY(TotalsTable::buildDaysAndMonths(records, last, first, TotalsTable::Mode::Count).first.rows.empty());
}

void TestStatistics::cellNumbersAreQtNumbers()
{
    std::vector<qint64> values{0,
                               1,
                               9,
                               10,
                               99,
                               100,
                               1023,
                               1024,
                               1025,
                               99999,
                               100000,
                               123456789,
                               std::numeric_limits<qint64>::max(),
                               std::numeric_limits<qint64>::min()};
    for (qint64 n = -2000; n <= 5000; ++n)
        values.push_back(n);
    for (qint64 n = 7; n > 0 && n < std::numeric_limits<qint64>::max() / 7; n *= 7)
        values.push_back(-n);
    for (const qint64 block : {qint64(1), qint64(2), qint64(3), qint64(4)}) {
        for (qint64 n = block * 65536 - 3; n <= block * 65536 + 3; ++n)
            values.push_back(n);
    }
    for (const qint64 n : {qint64(99999), qint64(100000), qint64(999999), qint64(1000000), qint64(1000001)})
        values.push_back(n);
    values.push_back(CellTexts::kPooledNumbers - 1);
    values.push_back(CellTexts::kPooledNumbers);
    for (const qint64 n : values)
        QCOMPARE(CellTexts::number(n), QString::number(n));
    // A text from the pool is a text like any other: changing a copy leaves the pool alone.
    QString changed = CellTexts::number(70000);
    changed.append(u'秒');
    changed[0] = u'8';
    QCOMPARE(changed, QStringLiteral("80000秒"));
    QCOMPARE(CellTexts::number(70000), QStringLiteral("70000"));
    for (int w = -1; w <= 9; ++w)
        QCOMPARE(CellTexts::weekdayName(w), Dates::weekdayName(w));
}

void TestStatistics::cellDatesAreTheDateFormats()
{
    std::vector<QDate> days{QDate(),           QDate(100, 1, 1),    QDate(999, 12, 31),
                            QDate(1000, 1, 1), QDate(9999, 12, 31), QDate(10000, 1, 1),
                            QDate(-44, 3, 15)};
    for (QDate day(1899, 12, 20); day <= QDate(2101, 1, 10); day = day.addDays(1))
        days.push_back(day);
    for (const QDate day : days) {
        QCOMPARE(CellTexts::date(day), Formats::date(day));
        QCOMPARE(CellTexts::shortDate(day), Formats::shortDate(day));
        QCOMPARE(CellTexts::shortYearMonth(day), Formats::shortYearMonth(day));
        QCOMPARE(CellTexts::kanjiYearMonth(day), Formats::kanjiYearMonth(day));
        QCOMPARE(CellTexts::kanjiShortDate(day), Formats::kanjiShortDate(day));
    }
}

void TestStatistics::cellDatesParseAsSavedDates()
{
    QStringList texts{QStringLiteral("2024/05/18"),
                      QStringLiteral("2024/5/8"),
                      QStringLiteral(" 2024/05/18 "),
                      QStringLiteral("\u30002024/05/18\t"),
                      QStringLiteral("0099/01/01"),
                      QStringLiteral("0100/01/01"),
                      QStringLiteral("9999/12/31"),
                      QStringLiteral("10000/1/1"),
                      QStringLiteral("2024/02/30"),
                      QStringLiteral("2024/02/29"),
                      QStringLiteral("2023/02/29"),
                      QStringLiteral("2024/13/01"),
                      QStringLiteral("2024/00/10"),
                      QStringLiteral("2024/01/00"),
                      QStringLiteral("2024//01"),
                      QStringLiteral("/01/01"),
                      QStringLiteral("2024/01/"),
                      QStringLiteral("2024/01/01/"),
                      QStringLiteral("2024/01"),
                      QStringLiteral("2024"),
                      QStringLiteral("2024/001/01"),
                      QStringLiteral("2024/01/001"),
                      QStringLiteral("+2024/01/01"),
                      QStringLiteral("-2024/01/01"),
                      QStringLiteral("２０２４/01/01"),
                      QStringLiteral("2024/0１/01"),
                      QStringLiteral("2024 /01/01"),
                      QStringLiteral("2024-01-01"),
                      QStringLiteral("きのう"),
                      QString(),
                      QStringLiteral("/"),
                      QStringLiteral("//"),
                      QStringLiteral("1/1/1"),
                      QStringLiteral("0000/00/00"),
                      QStringLiteral("1899/12/31"),
                      QStringLiteral("1900/01/01"),
                      QStringLiteral("2099/12/31"),
                      QStringLiteral("2100/01/01")};
    for (QDate day(1999, 12, 25); day <= QDate(2001, 1, 5); day = day.addDays(1))
        texts << day.toString(u"yyyy/MM/dd") << day.toString(u"yyyy/M/d");
    for (const QString &text : texts)
        QCOMPARE(CellTexts::parseDate(text), Dates::parse(text));
}

void TestStatistics::cellDurationsAndAverages()
{
    for (qint64 seconds = -4000; seconds <= 400000; seconds += 7)
        QCOMPARE(CellTexts::hms(seconds), Formats::hms(seconds));
    QCOMPARE(CellTexts::hms(std::numeric_limits<qint64>::max()), Formats::hms(std::numeric_limits<qint64>::max()));

    // Averages as the lists make them: seconds over plays, in single precision.
    for (int seconds = 0; seconds <= 3000; ++seconds) {
        for (int plays = 1; plays <= 40; ++plays) {
            const double average = double(float(seconds) / float(plays));
            QCOMPARE(CellTexts::oneDecimal(average), Formats::oneDecimal(average));
        }
    }
    const double edges[] = {0.0,
                            -0.0,
                            0.05,
                            0.15,
                            0.25,
                            0.95,
                            9.95,
                            9.96,
                            99.95,
                            999.95,
                            0.049999999999999996,
                            0.04,
                            0.005,
                            1e-9,
                            5e-324,
                            12.5,
                            47.25,
                            123456.78,
                            99999999999999.95,
                            999999999999999.9,
                            1e15,
                            1e300,
                            -2.35,
                            -0.01,
                            std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
    for (const double value : edges)
        QCOMPARE(CellTexts::oneDecimal(value), Formats::oneDecimal(value));
    for (double value = 1e-6; value < 1e16; value *= 1.37)
        QCOMPARE(CellTexts::oneDecimal(value), Formats::oneDecimal(value));
}

void TestStatistics::cellItemIndexes()
{
    QStringList names;
    for (const QString &name : itemNames()) {
        names << name << name.left(1) << name.left(name.size() - 1) << name + u' ' << u' ' + name;
    }
    names << QString() << QStringLiteral("ほか") << QStringLiteral("プラマイ\n");
    for (const QString &name : names)
        QCOMPARE(CellTexts::itemIndex(name), itemIndex(name));
    for (std::size_t i = 0; i < itemNames().size(); ++i)
        QCOMPARE(CellTexts::itemIndex(itemNames()[i]), int(i));
}

void TestStatistics::cellSecondsAreTheShortestTexts()
{
    CellTexts::SecondsTexts texts;
    std::vector<float> values{0.0f,
                              -0.0f,
                              30.0f,
                              43.8f,
                              0.1f,
                              12.5f,
                              -2.25f,
                              1e-7f,
                              3.4e38f,
                              16777217.0f,
                              std::numeric_limits<float>::denorm_min(),
                              std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity()};
    for (int i = 0; i < 3000; ++i)
        values.push_back(float(i) * 0.1f); // enough distinct numbers to make the table grow
    for (int round = 0; round < 2; ++round) {
        for (const float value : values)
            QCOMPARE(texts.text(value), ListFormat::formatNumber(value));
    }
    // One text per number: a list shares it.
    QVERIFY(texts.text(43.8f).constData() == texts.text(43.8f).constData());
}

void TestStatistics::roundingIsHalfToEven()
{
    std::vector<double> values{0.0,
                               -0.0,
                               0.5,
                               1.5,
                               2.5,
                               -0.5,
                               -1.5,
                               -2.5,
                               0.49999999999999994,
                               12.5,
                               13.5,
                               4503599627370495.5,
                               4503599627370496.0,
                               9007199254740991.0,
                               9007199254740992.0,
                               -9007199254740993.0,
                               1e300,
                               -1e300,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
    for (int tenths = -3000; tenths <= 3000; ++tenths)
        values.push_back(double(float(tenths) / 10.0f));
    for (const double value : values)
        QCOMPARE(Rounding::halfEven(value), Formats::roundHalfEven(value));
    // Running totals of seconds as the lists keep them.
    qint64 total = 0;
    qint64 expected = 0;
    for (int i = 0; i < 20000; ++i) {
        const float seconds = float((i * 37) % 1000) / 8.0f - 20.0f;
        total = Rounding::addRounded(total, seconds);
        expected = Formats::addRounded(expected, seconds);
        QCOMPARE(total, expected);
    }
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
