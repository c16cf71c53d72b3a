#include "stats/ChartRules.h"

#include "platform/Formats.h"

#include <QTest>

using namespace kotohana;

class TestChartRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemLabelsShortenForLongLists();
    void hourSlots();
    void hoursAreTheLeadingNumber();
    void pointTextsReadAsTheListsDo();
};

void TestChartRules::itemLabelsShortenForLongLists()
{
    QCOMPARE(itemLabel(QStringLiteral("ボキャブラ"), 17), QStringLiteral("ボキ")); // 16 data rows
    QCOMPARE(itemLabel(QStringLiteral("ボキャブラ"), 18), QStringLiteral("ボ")); // 17 data rows
    QCOMPARE(itemLabel(QStringLiteral("ボ"), 2), QStringLiteral("ボ"));
}

void TestChartRules::hourSlots()
{
    HourSlots hours;
    hours.add(u"23:59:59", u"60");
    hours.add(u"00:00:00", u"12.5");
    hours.add(u"00:30:00", u"13.5"); // 12 + 13.5 = 25.5 → 26
    hours.add(u"9:05:00", u"5"); // a hand-edited time with a one-digit hour
    hours.add(u"朝", u"100"); // no hour: counted nowhere
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

void TestChartRules::hoursAreTheLeadingNumber()
{
    const QString times[] = {QStringLiteral("00:00:00"), QStringLiteral("07:30:00"),
                             QStringLiteral("23:59:59"), QStringLiteral("24:00:00"),
                             QStringLiteral("25:00:00"), QStringLiteral("9:05:00"),
                             QStringLiteral(" 9:00"),    QStringLiteral("+1:00"),
                             QStringLiteral("-1:00"),    QStringLiteral("1.5"),
                             QStringLiteral("5"),        QStringLiteral("１２:00"),
                             QStringLiteral("朝"),       QString()};
    for (const QString &time : times) {
        HourSlots hours;
        hours.add(time, 10.0);
        const std::optional<double> hour = Formats::leadingNumber(QStringView(time).left(2));
        for (int h = 0; h < HourSlots::kSlots; ++h) {
            const bool counted = hour && *hour >= 0 && *hour < HourSlots::kSlots && int(*hour) == h;
            QCOMPARE(hours.seconds(h), counted ? qint64(10) : qint64(0));
        }
    }
}

void TestChartRules::pointTextsReadAsTheListsDo()
{
    PointTexts longList(18);
    PointTexts shortList(17);
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(longList.value(QStringLiteral("60秒")), 60.0);
        QCOMPARE(longList.value(QStringLiteral(" 47.3")), 47.3);
        QCOMPARE(longList.value(QString()), 0.0);
        QCOMPARE(longList.value(QStringLiteral("abc")), 0.0);
        QCOMPARE(longList.itemLabel(QStringLiteral("ボキャブラ")), QStringLiteral("ボ"));
        QCOMPARE(shortList.itemLabel(QStringLiteral("ボキャブラ")), QStringLiteral("ボキ"));
        QCOMPARE(shortList.itemLabel(QStringLiteral("プラマイ")), QStringLiteral("プラ"));
    }
}

QTEST_GUILESS_MAIN(TestChartRules)
#include "tst_chartrules.moc"
