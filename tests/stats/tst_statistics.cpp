#include "stats/AllGraph.h"
#include "stats/CalendarData.h"
#include "stats/RangeList.h"
#include "stats/TotalsTable.h"

#include <QTest>

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
        listed.append(row.date);
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
    void colourClasses_data();
    void colourClasses();
    void monthCalendar();
    void weekCalendarStartsOnTheSundayBefore_data();
    void weekCalendarStartsOnTheSundayBefore();
    void totalsTables();
};

void TestStatistics::periodsCountDaysBack()
{
    QCOMPARE(periodStart(QDate(2024, 3, 1), 1), QStringLiteral("2024/02/29"));
    QCOMPARE(periodStart(QDate(2024, 3, 1), 365), QStringLiteral("2023/03/02"));
    const std::vector<PlayRecord> records{play("2024/02/28", u"プラマイ", 10), play("2024/02/29", u"プラマイ", 20),
                                          play("2024/03/01", u"しりとり", 30)};
    const RangeListing listing = listRange(records, {periodStart(QDate(2024, 3, 1), 1), QStringLiteral("2024/03/01"), 0, {}}, false);
    QCOMPARE(dates(listing), (QStringList{QStringLiteral("2024/02/29"), QStringLiteral("2024/03/01")}));
    QCOMPARE(listing.rows[0].weekday, QStringLiteral("木"));
    QCOMPARE(listing.itemSeconds[0], qint64(20));
    QCOMPARE(listing.itemSeconds[1], qint64(30));
}

void TestStatistics::rangeFilters()
{
    const std::vector<PlayRecord> records{
        play("2024/03/02", u"バラバラ", 60), // Saturday, long before
        play("2024/03/09", u"バラバラ", 60), // Saturday, the day before the 8 days from 03/10
        play("2024/03/11", u"プラマイ", 12.5f),
        play("2024/03/16", u"四熟虫喰", 13.5f), // Saturday
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
}

void TestStatistics::rangeLeavesOutDatesThatAreNotDates()
{
    const std::vector<PlayRecord> records{play("2024/03/01", u"プラマイ", 10), play("2024/13/45", u"プラマイ", 10),
                                          play("きのう", u"プラマイ", 10), play("2024/03/01", u"しりとり", 10),
                                          play("2024/03/02", u"しりとり", 10)};
    const RangeListing listing = listRange(records, {QString(), QString(QChar(0xFFFF)), 0, {}}, true);
    QCOMPARE(listing.rows.size(), std::size_t(3));
    QCOMPARE(listing.dates, (QStringList{QStringLiteral("2024/03/01"), QStringLiteral("2024/13/45"),
                                         QStringLiteral("きのう"), QStringLiteral("2024/03/01"),
                                         QStringLiteral("2024/03/02")}));
}

void TestStatistics::allGraphDaysAndItems()
{
    const AllGraph graph = buildAllGraph({play("2024/01/30", u"プラマイ", 12.5f), play("2024/01/30", u"プラマイ", 13.5f),
                                          play("壊れた日付", u"しりとり", 40), play("2024/02/02", u"カラパニ", 3725),
                                          play("2024/01/31", u"カラパニ", 1)}); // out of order: still its own day
    QCOMPARE(graph.plays.size(), std::size_t(5));
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
    QCOMPARE(months.labels, (QStringList{QStringLiteral("2024年01月"), QStringLiteral("2024年02月"),
                                         QStringLiteral("2024年03月")}));
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
    const std::vector<PlayRecord> records{{first.toString(u"yyyy/MM/dd"), QStringLiteral("10:00:00"),
                                           QStringLiteral("プラマイ"), 12.5f, QString()},
                                          {first.toString(u"yyyy/MM/dd"), QStringLiteral("11:00:00"),
                                           QStringLiteral("プラマイ"), 13.5f, QString()}};
    const CalendarData::Weeks weeks = CalendarData::weeks(records, first, first);
    QCOMPARE(weeks.start, start);
    QCOMPARE(weeks.labels.first(), start.toString(u"yy年MM月dd日"));
    QCOMPARE(weeks.plays.size(), std::size_t(firstRow + 1));
    const int weekday = first.dayOfWeek() % 7 + 1;
    QCOMPARE(weeks.plays[std::size_t(firstRow)][std::size_t(weekday)], qint64(2));
    QCOMPARE(weeks.playsPerWeekday[std::size_t(weekday)], qint64(2));
    QCOMPARE(weeks.secondsPerWeekday[std::size_t(weekday)], qint64(26));
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
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
