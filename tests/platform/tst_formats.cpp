#include "FakeClock.h"

#include "platform/Dates.h"
#include "platform/Formats.h"
#include "platform/RandomSource.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace kotohana;

class TestFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void datesAndTimes();
    void decimals_data();
    void decimals();
    void hoursMinutesSeconds_data();
    void hoursMinutesSeconds();
    void leadingNumber_data();
    void leadingNumber();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void roundedSumOfSeconds();
    void weekdays();
    void calendarArithmetic();
    void parsesSavedDates_data();
    void parsesSavedDates();
    void randomDrawsStayInRange();
};

void TestFormats::datesAndTimes()
{
    const QDate day(2024, 5, 8);
    QCOMPARE(Formats::date(day), QStringLiteral("2024/05/08"));
    QCOMPARE(Formats::time(QTime(9, 5, 3)), QStringLiteral("09:05:03"));
    QCOMPARE(Formats::time(QTime(21, 5, 9)), QStringLiteral("21:05:09"));
    QCOMPARE(Formats::shortDate(day), QStringLiteral("24/05/08"));
    QCOMPARE(Formats::shortYearMonth(day), QStringLiteral("24/05"));
    QCOMPARE(Formats::kanjiYearMonth(day), QStringLiteral("2024年05月"));
    QCOMPARE(Formats::kanjiShortDate(day), QStringLiteral("24年05月08日"));
    QCOMPARE(Formats::twoDigits(7), QStringLiteral("07"));
}

void TestFormats::decimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("whole");
    QTest::addColumn<QString>("oneDecimal");
    QTest::newRow("plain") << 47.3 << QStringLiteral("47") << QStringLiteral("47.3");
    QTest::newRow("half rounds up") << 47.25 << QStringLiteral("47") << QStringLiteral("47.3");
    QTest::newRow("decimal half, binary below") << 0.15 << QStringLiteral("0") << QStringLiteral("0.2");
    QTest::newRow("whole half") << 12.5 << QStringLiteral("13") << QStringLiteral("12.5");
    QTest::newRow("carry") << 9.96 << QStringLiteral("10") << QStringLiteral("10.0");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0") << QStringLiteral("0.0");
    QTest::newRow("negative") << -2.35 << QStringLiteral("-2") << QStringLiteral("-2.4");
    QTest::newRow("tiny negative") << -0.01 << QStringLiteral("0") << QStringLiteral("0.0");
    QTest::newRow("large") << 123456.78 << QStringLiteral("123457") << QStringLiteral("123456.8");
}

void TestFormats::decimals()
{
    QFETCH(double, value);
    QFETCH(QString, whole);
    QFETCH(QString, oneDecimal);
    QCOMPARE(Formats::whole(value), whole);
    QCOMPARE(Formats::oneDecimal(value), oneDecimal);
}

void TestFormats::hoursMinutesSeconds_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("0:00:00");
    QTest::newRow("minutes") << qint64(465) << QStringLiteral("0:07:45");
    QTest::newRow("hour") << qint64(3725) << QStringLiteral("1:02:05");
    QTest::newRow("beyond two-digit hours") << qint64(360000 + 61) << QStringLiteral("100:01:01");
    QTest::newRow("negative") << qint64(-3725) << QStringLiteral("-1:02:05");
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << QStringLiteral("2562047788015215:30:07");
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << QStringLiteral("-2562047788015215:30:08");
}

void TestFormats::hoursMinutesSeconds()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(Formats::hms(seconds), text);
}

void TestFormats::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("unit") << QStringLiteral("60秒") << 60.0;
    QTest::newRow("decimal") << QStringLiteral("47.3") << 47.3;
    QTest::newRow("blanks first") << QStringLiteral("  12") << 12.0;
    QTest::newRow("negative") << QStringLiteral("-5点") << -5.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("words") << QStringLiteral("秒数") << 0.0;
    QTest::newRow("time text stops at colon") << QStringLiteral("0:01:00 (2)") << 0.0;
    QTest::newRow("incomplete exponent") << QStringLiteral("3e") << 3.0;
    QTest::newRow("exponent") << QStringLiteral("3e2x") << 300.0;
}

void TestFormats::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Formats::numericValue(text), value);
}

void TestFormats::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("12.5") << 12.5 << qint64(12);
    QTest::newRow("13.5") << 13.5 << qint64(14);
    QTest::newRow("60.5") << 60.5 << qint64(60);
    QTest::newRow("47.3") << 47.3 << qint64(47);
    QTest::newRow("47.6") << 47.6 << qint64(48);
    QTest::newRow("-0.5") << -0.5 << qint64(0);
    QTest::newRow("-1.5") << -1.5 << qint64(-2);
    QTest::newRow("beyond qint64") << 3e38 << std::numeric_limits<qint64>::max();
    QTest::newRow("below qint64") << -3e38 << std::numeric_limits<qint64>::min();
    QTest::newRow("2^63") << 9223372036854775808.0 << std::numeric_limits<qint64>::max();
    QTest::newRow("-2^63") << -9223372036854775808.0 << std::numeric_limits<qint64>::min();
    QTest::newRow("not a number") << std::nan("") << qint64(0);
}

void TestFormats::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(qint64, rounded);
    QCOMPARE(Formats::roundHalfEven(value), rounded);
}

void TestFormats::roundedSumOfSeconds()
{
    // 47.5 becomes 48, then 48 + 12.5 = 60.5 becomes 60.
    qint64 total = 0;
    total = Formats::addRounded(total, 47.5f);
    QCOMPARE(total, qint64(48));
    total = Formats::addRounded(total, 12.5f);
    QCOMPARE(total, qint64(60));
}

void TestFormats::weekdays()
{
    QCOMPARE(Dates::weekday(QDate(2024, 3, 1)), 6); // a Friday
    QCOMPARE(Dates::weekday(QDate(2024, 3, 3)), 1); // Sunday is 1
    QCOMPARE(Dates::weekday(QDate(2024, 3, 9)), 7); // Saturday is 7
    QCOMPARE(Dates::weekdayName(Dates::weekday(QDate(2024, 3, 1))), QStringLiteral("金"));
    QCOMPARE(Dates::weekdayName(1), QStringLiteral("日"));
    QCOMPARE(Dates::weekdayName(7), QStringLiteral("土"));
}

void TestFormats::calendarArithmetic()
{
    QCOMPARE(QDate(2024, 3, 1).addDays(-1), QDate(2024, 2, 29));
    QCOMPARE(QDate(2024, 1, 31).addMonths(1), QDate(2024, 2, 29));
    QCOMPARE(Dates::daysBetween(QDate(2024, 1, 31), QDate(2024, 3, 1)), qint64(30));
    QCOMPARE(Dates::monthsBetween(QDate(2024, 1, 31), QDate(2024, 3, 1)), 2);
    QCOMPARE(Dates::monthsBetween(QDate(2023, 12, 1), QDate(2024, 1, 31)), 1);
}

void TestFormats::parsesSavedDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("day");
    QTest::newRow("saved form") << QStringLiteral("2024/02/29") << QDate(2024, 2, 29);
    QTest::newRow("hand-edited short") << QStringLiteral("2024/5/8") << QDate(2024, 5, 8);
    QTest::newRow("no such day") << QStringLiteral("2023/02/29") << QDate();
    QTest::newRow("words") << QStringLiteral("昨日") << QDate();
    QTest::newRow("two-digit year") << QStringLiteral("24/05/08") << QDate();
    QTest::newRow("dashes") << QStringLiteral("2024-05-08") << QDate();
    QTest::newRow("spaces around") << QStringLiteral(" 2024/05/08 ") << QDate(2024, 5, 8);
    QTest::newRow("empty part") << QStringLiteral("2024//08") << QDate();
    QTest::newRow("slash at the end") << QStringLiteral("2024/05/08/") << QDate();
    QTest::newRow("slash first") << QStringLiteral("/2024/05") << QDate();
    QTest::newRow("three-digit month") << QStringLiteral("2024/005/08") << QDate();
    QTest::newRow("five-digit year") << QStringLiteral("02024/05/08") << QDate();
    QTest::newRow("full-width digits") << QStringLiteral("２０２４/05/08") << QDate();
    QTest::newRow("no day") << QStringLiteral("2024/05") << QDate();
    // Two centuries of dates: outside them a date is no date.
    QTest::newRow("first day") << QStringLiteral("1900/01/01") << QDate(1900, 1, 1);
    QTest::newRow("last day") << QStringLiteral("2099/12/31") << QDate(2099, 12, 31);
    QTest::newRow("day before") << QStringLiteral("1899/12/31") << QDate();
    QTest::newRow("day after") << QStringLiteral("2100/01/01") << QDate();
    QTest::newRow("year 100") << QStringLiteral("0100/01/01") << QDate();
    QTest::newRow("year 9999") << QStringLiteral("9999/12/31") << QDate();
}

void TestFormats::parsesSavedDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, day);
    QCOMPARE(Dates::parse(text).value_or(QDate()), day);
}

void TestFormats::randomDrawsStayInRange()
{
    test::FakeClock clock;
    MersenneRandomSource random(clock, 42);
    QList<int> seen(5, 0);
    for (int i = 0; i < 5000; ++i) {
        const double r = random.next();
        QVERIFY(r >= 0.0 && r < 1.0);
        const int index = random.index(5);
        QVERIFY(index >= 0 && index < 5);
        ++seen[index];
    }
    for (int count : seen)
        QVERIFY(count > 800); // every entry is drawn about a fifth of the time

    // Reseeding twice in the same moment still gives independent draws ...
    random.reseedFromClock();
    const double first = random.next();
    random.reseedFromClock();
    QVERIFY(random.next() != first);
    // ... and the same seed on the same (fake) clock repeats the same sequence.
    MersenneRandomSource one(clock, 9);
    MersenneRandomSource two(clock, 9);
    one.reseedFromClock();
    two.reseedFromClock();
    QCOMPARE(one.next(), two.next());
}

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
