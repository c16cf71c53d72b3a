#include "stats/ChartRules.h"

#include <QTest>

using namespace kotohana;

class TestChartRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemLabelsShortenForLongLists();
    void hourSlots();
};

void TestChartRules::itemLabelsShortenForLongLists()
{
    QCOMPARE(itemLabel(QStringLiteral("ボキャブラ"), 17), QStringLiteral("ボキ")); // 16 data rows
    QCOMPARE(itemLabel(QStringLiteral("ボキャブラ"), 18), QStringLiteral("ボ"));   // 17 data rows
    QCOMPARE(itemLabel(QStringLiteral("ボ"), 2), QStringLiteral("ボ"));
}

void TestChartRules::hourSlots()
{
    HourSlots hours;
    hours.add(u"23:59:59", u"60");
    hours.add(u"00:00:00", u"12.5");
    hours.add(u"00:30:00", u"13.5"); // 12 + 13.5 = 25.5 → 26
    hours.add(u"9:05:00", u"5");     // a hand-edited time with a one-digit hour
    hours.add(u"朝", u"100");        // no hour: counted nowhere
    hours.add(u"", u"100");
    hours.add(u"99:00:00", u"100");
    QCOMPARE(hours.seconds(23), qint64(60));
    QCOMPARE(hours.seconds(0), qint64(26));
    QCOMPARE(hours.seconds(9), qint64(5));
    qint64 total = 0;
    for (int hour = 0; hour < HourSlots::kSlots; ++hour)
        total += hours.seconds(hour);
    QCOMPARE(total, qint64(91));
    QCOMPARE(HourSlots::label(0), QStringLiteral(" 0"));
    QCOMPARE(HourSlots::label(23), QStringLiteral(" 23"));
}

QTEST_GUILESS_MAIN(TestChartRules)
#include "tst_chartrules.moc"
