#include "records/Items.h"
#include "records/KeptView.h"
#include "records/TodayView.h"

#include <QTest>

using namespace kotohana;

namespace {

PlayRecord play(const char *date, const char *time, const QString &item, float seconds)
{
    return {QString::fromLatin1(date), QString::fromLatin1(time), item, seconds, QString()};
}

const QDate kDay(2024, 5, 18);

} // namespace

class TestTodayView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyFile();
    void recordsButNoneThatDay();
    void threePlaysOfOneGame();
    void sevenGamesInListOrder();
    void secondsAddRoundedHalfToEven();
    void unknownItemIsListedButNotCounted();
    void faceAndLampsGrowWithKinds_data();
    void faceAndLampsGrowWithKinds();
    void streakOfPlayDays_data();
    void streakOfPlayDays();
    void streakFollowsTheDay();
    void keptViewBytes();
    void viewOfAnotherDay_data();
    void viewOfAnotherDay();
};

void TestTodayView::emptyFile()
{
    const TodayView view = buildTodayView({}, kDay);
    QVERIFY(view.noData);
    QVERIFY(view.firstRecordDate.isEmpty());
    QVERIFY(view.lastRecordDate.isEmpty());
    QVERIFY(view.plays.empty());
    QCOMPARE(view.kinds(), 0);
    QCOMPARE(view.items[0].name, QStringLiteral("プラマイ"));
}

void TestTodayView::recordsButNoneThatDay()
{
    const TodayView view = buildTodayView({play("2024/05/01", "10:00:00", QStringLiteral("プラマイ"), 60),
                                           play("2024/05/17", "10:00:00", QStringLiteral("しりとり"), 30)},
                                          kDay);
    QVERIFY(!view.noData);
    QCOMPARE(view.firstRecordDate, QStringLiteral("2024/05/01"));
    QCOMPARE(view.lastRecordDate, QStringLiteral("2024/05/17"));
    QVERIFY(view.plays.empty());
    QCOMPARE(view.kinds(), 0);
    QCOMPARE(view.dayTotalSeconds, qint64(0));

    // A hand-edited file: the first record's date is not a date, and the dates are out of order.
    const TodayView edited = buildTodayView({play("2024/13/01", "10:00:00", QStringLiteral("プラマイ"), 60),
                                             play("2024/05/17", "10:00:00", QStringLiteral("しりとり"), 30),
                                             play("2024/04/02", "10:00:00", QStringLiteral("しりとり"), 30),
                                             play("きのう", "10:00:00", QStringLiteral("しりとり"), 30)},
                                            kDay);
    QCOMPARE(edited.firstRecordDate, QStringLiteral("2024/04/02"));
    QCOMPARE(edited.lastRecordDate, QStringLiteral("2024/05/17"));
    const TodayView undated = buildTodayView({play("昨日", "10:00:00", QStringLiteral("プラマイ"), 60)}, kDay);
    QVERIFY(!undated.noData);
    QVERIFY(undated.firstRecordDate.isEmpty());
}

void TestTodayView::threePlaysOfOneGame()
{
    const TodayView view = buildTodayView({play("2024/05/18", "07:00:00", QStringLiteral("バラバラ"), 60),
                                           play("2024/05/18", "08:00:00", QStringLiteral("バラバラ"), 47.3f),
                                           play("2024/05/18", "09:00:00", QStringLiteral("バラバラ"), 30)},
                                          kDay);
    QCOMPARE(view.plays.size(), std::size_t(3));
    QCOMPARE(view.plays[1].seconds, QStringLiteral("47.3"));
    QCOMPARE(view.kinds(), 1);
    const auto played = view.playedItems();
    QCOMPARE(played.size(), std::size_t(1));
    QCOMPARE(played[0].count, qint64(3));
    QCOMPARE(played[0].seconds, qint64(137)); // 60, then 107.3 → 107, then 137
    QCOMPARE(view.longestPlay, 60.0f);
    QCOMPARE(view.dayTotalSeconds, qint64(137));
}

void TestTodayView::sevenGamesInListOrder()
{
    std::vector<PlayRecord> records;
    // Saved in game order; the totals follow the list order (カラパニ before 連想心理).
    for (const char16_t *name : {u"プラマイ", u"しりとり", u"バラバラ", u"四熟虫喰", u"連想心理", u"カラパニ", u"ボキャブラ"})
        records.push_back(play("2024/05/18", "10:00:00", QString::fromUtf16(name), 10));
    const TodayView view = buildTodayView(records, kDay);
    QCOMPARE(view.kinds(), 7);
    const auto played = view.playedItems();
    QCOMPARE(played[4].name, QStringLiteral("カラパニ"));
    QCOMPARE(played[5].name, QStringLiteral("連想心理"));
    QCOMPARE(view.dayTotalSeconds, qint64(70));
}

void TestTodayView::secondsAddRoundedHalfToEven()
{
    const TodayView view = buildTodayView({play("2024/05/18", "10:00:00", QStringLiteral("四熟虫喰"), 47.5f),
                                           play("2024/05/18", "11:00:00", QStringLiteral("四熟虫喰"), 12.5f)},
                                          kDay);
    QCOMPARE(view.items[std::size_t(itemIndex(u"四熟虫喰"))].seconds, qint64(60));
}

void TestTodayView::unknownItemIsListedButNotCounted()
{
    const TodayView view = buildTodayView({play("2024/05/18", "10:00:00", QStringLiteral("なぞなぞ"), 99),
                                           play("2024/05/18", "11:00:00", QStringLiteral("プラマイ"), 60)},
                                          kDay);
    QCOMPARE(view.plays.size(), std::size_t(2));
    QCOMPARE(view.kinds(), 1);
    QCOMPARE(view.longestPlay, 99.0f);
    QCOMPARE(view.dayTotalSeconds, qint64(60));
}

void TestTodayView::faceAndLampsGrowWithKinds_data()
{
    QTest::addColumn<int>("kinds");
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("lamps");
    QTest::addColumn<QString>("caption");
    QTest::newRow("none") << 0 << int(Face::None) << 0 << QStringLiteral("今日の脳も健康元気");
    QTest::newRow("one") << 1 << int(Face::Sulky) << 1 << QStringLiteral("1 種類の脳刺激");
    QTest::newRow("two") << 2 << int(Face::Smile) << 2 << QStringLiteral("2 種類の脳刺激");
    QTest::newRow("three") << 3 << int(Face::Laugh) << 3 << QStringLiteral("3 種類の脳刺激");
    QTest::newRow("seven") << 7 << int(Face::Laugh) << 7 << QStringLiteral("7 種類の脳刺激");
}

void TestTodayView::faceAndLampsGrowWithKinds()
{
    QFETCH(int, kinds);
    QFETCH(int, face);
    QFETCH(int, lamps);
    QFETCH(QString, caption);
    QCOMPARE(int(faceFor(kinds)), face);
    QCOMPARE(litLamps(kinds), lamps);
    QCOMPARE(faceCaption(kinds), caption);
}

void TestTodayView::streakOfPlayDays_data()
{
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<qint64>("streak");
    const QDate may18(2024, 5, 18);
    QTest::newRow("no records") << QStringList() << may18 << qint64(0);
    QTest::newRow("today only") << QStringList{"2024/05/18"} << may18 << qint64(1);
    QTest::newRow("three days to today") << QStringList{"2024/05/16", "2024/05/17", "2024/05/17", "2024/05/18"} << may18
                                         << qint64(3);
    QTest::newRow("up to yesterday while today waits")
        << QStringList{"2024/05/15", "2024/05/16", "2024/05/17"} << may18 << qint64(3);
    QTest::newRow("broken by yesterday") << QStringList{"2024/05/15", "2024/05/16"} << may18 << qint64(0);
    QTest::newRow("a gap ends it") << QStringList{"2024/05/10", "2024/05/11", "2024/05/13", "2024/05/17", "2024/05/18"} << may18
                                   << qint64(2);
    QTest::newRow("file out of order") << QStringList{"2024/05/18", "2024/05/16", "2024/05/01", "2024/05/17"} << may18 << qint64(3);
    QTest::newRow("invalid dates count for nothing")
        << QStringList{"2024/05/16", "2024/13/17", "", "昨日", "2024/05/32", "2024/05/18"} << may18 << qint64(1);
    QTest::newRow("hand-edited date") << QStringList{"2024/5/17", "2024/05/18"} << may18 << qint64(2);
    QTest::newRow("later dates count for nothing") << QStringList{"2024/05/17", "2024/05/19", "2024/05/20"} << may18 << qint64(1);
    QTest::newRow("over the year's end") << QStringList{"2024/12/30", "2024/12/31", "2025/01/01"} << QDate(2025, 1, 1) << qint64(3);
    QTest::newRow("over a leap day") << QStringList{"2024/02/28", "2024/02/29", "2024/03/01"} << QDate(2024, 3, 1) << qint64(3);
    QTest::newRow("not a leap year") << QStringList{"2023/02/28", "2023/03/01"} << QDate(2023, 3, 2) << qint64(2);
}

void TestTodayView::streakOfPlayDays()
{
    QFETCH(QStringList, dates);
    QFETCH(QDate, today);
    QFETCH(qint64, streak);
    std::vector<PlayRecord> records;
    for (const QString &date : dates)
        records.push_back({date, QStringLiteral("10:00:00"), QStringLiteral("プラマイ"), 60, QString()});
    QCOMPARE(playStreak(records, today), streak);
}

// The streak of the days before today holds until today ends without a play, and today's
// first play adds today to it.
void TestTodayView::streakFollowsTheDay()
{
    std::vector<PlayRecord> records;
    for (int day = 1; day <= 12; ++day)
        records.push_back(play(qPrintable(QDate(2024, 5, day).toString(u"yyyy/MM/dd")), "10:00:00", QStringLiteral("プラマイ"), 60));
    QCOMPARE(playStreak(records, QDate(2024, 5, 12)), qint64(12));
    QCOMPARE(playStreak(records, QDate(2024, 5, 13)), qint64(12));
    QCOMPARE(playStreak(records, QDate(2024, 5, 14)), qint64(0));
    records.push_back(play("2024/05/13", "00:00:00", QStringLiteral("しりとり"), 30));
    QCOMPARE(playStreak(records, QDate(2024, 5, 13)), qint64(13));
    QCOMPARE(streakCaption(12), QStringLiteral("連続 12 日"));
    QCOMPARE(streakCaption(1), QStringLiteral("連続 1 日"));
    QVERIFY(streakCaption(0).isEmpty());
}

// The kept view's file: mark, version, day, the record file's length and digest, the view, and
// the XXH3 digest of all that (as xxhsum -H3 gives it) last.
void TestTodayView::keptViewBytes()
{
    const QByteArray expected = QByteArray::fromHex("4b54445600010000000000258b21000000000000000a0123456789abcdef0000"
                                                    "0000140032003000320034002f00300035002f00310038000000140032003000"
                                                    "320034002f00300035002f00310038000000010000001000320031003a003000"
                                                    "35003a003000390000000830d730e930de30a400000004003600300000000100"
                                                    "00000000258b210000000000000001000000000000003c000000000000000000"
                                                    "0000000000000000000000000000000000000000000000000000000000000000"
                                                    "0000000000000000000000000000000000000000000000000000000000000000"
                                                    "0000000000000000000000000000000000000000000000427000000000000000"
                                                    "00003c29a9a14ff5b28ab4");
    const KeptView kept{kDay, 10, 0x0123456789abcdefULL,
                        buildTodayView({play("2024/05/18", "21:05:09", itemNames()[0], 60)}, kDay)};
    QCOMPARE(kept.encoded().toHex(), expected.toHex());

    const std::optional<KeptView> back = KeptView::decoded(expected);
    QVERIFY(back);
    QCOMPARE(back->day, kDay);
    QCOMPARE(back->length, 10);
    QCOMPARE(back->digest, 0x0123456789abcdefULL);
    QCOMPARE(back->encoded(), expected);
    QCOMPARE(back->view.items[3].name, itemNames()[3]);

    // A file cut short or with any byte changed is not a view.
    for (qsizetype size = 0; size < expected.size(); ++size)
        QVERIFY(!KeptView::decoded(expected.first(size)));
    for (qsizetype at = 0; at < expected.size(); ++at) {
        QByteArray changed = expected;
        changed[at] = char(changed[at] ^ 0x20);
        QVERIFY(!KeptView::decoded(changed));
    }
}

void TestTodayView::viewOfAnotherDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("made"); // false: the records must be read
    QTest::newRow("a day without plays") << QDate(2024, 5, 19) << true;
    QTest::newRow("before the first record") << QDate(2020, 1, 1) << true;
    QTest::newRow("a day with plays") << QDate(2024, 5, 16) << false;
    QTest::newRow("a hand-edited date of the day") << QDate(2024, 5, 20) << false;
    QTest::newRow("beyond the years a date may have") << QDate(2100, 1, 1) << false;
}

void TestTodayView::viewOfAnotherDay()
{
    QFETCH(QDate, day);
    QFETCH(bool, made);
    const std::vector<PlayRecord> records{play("2024/05/16", "07:00:00", itemNames()[1], 30),
                                          play("2024/05/18", "21:05:09", itemNames()[0], 60),
                                          play("2024/5/20", "08:00:00", itemNames()[2], 45.5),
                                          play("2024/13/01", "09:00:00", itemNames()[3], 20)};
    const std::optional<TodayView> other = kotohana::viewOfAnotherDay(buildTodayView(records, kDay), day);
    QCOMPARE(bool(other), made);
    if (other) {
        const auto bytes = [](const TodayView &view) { return KeptView{kDay, 0, 0, view}.encoded(); };
        QCOMPARE(bytes(*other), bytes(buildTodayView(records, day)));
    }
}

QTEST_GUILESS_MAIN(TestTodayView)
#include "tst_todayview.moc"
