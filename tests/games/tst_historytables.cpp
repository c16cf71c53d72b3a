#include "TestFiles.h"

#include "games/barabara/frmG3.h"
#include "games/karapani/frmG6.h"
#include "games/plamai/frmG1.h"
#include "games/rensou/frmG5.h"
#include "games/shiritori/frmG2.h"
#include "games/vocabra/frmG7.h"
#include "games/yojijukugo/frmG4.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

// Every game's history as its files and lists have always had it, as each game's table gives it:
// the list's columns, a line as the file keeps it, and the fields the filters and the personal
// best read.
class TestHistoryTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachGameKeepsItsHistory_data();
    void eachGameKeepsItsHistory();
};

void TestHistoryTables::eachGameKeepsItsHistory_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("columns"); // heading, width in twips, alignment
    QTest::addColumn<QByteArray>("line"); // every field "1"
    QTest::addColumn<QString>("reads");
    QTest::newRow("プラマイ") << 1
                              << QStringLiteral(
                                     "回 600 R|日付 1400 C|時間 1000 C|答数 600 R|ＯＫ 600 R|ＮＧ 600 R|正解率 900 R|秒当たり 1000 R|"
                                     "秒数 1025 R|モード 700 C")
                              << QByteArray(R"("1","1",1,1,1,"1","1","1","1")")
                              << QStringLiteral("seconds 7, mode 8, answers 2, best 3");
    QTest::newRow("しりとり") << 2
                              << QStringLiteral(
                                     "回 600 R|日付 1400 C|時間 1000 C|辞書 600 R|ＯＫ 600 R|ＮＧ 600 R|文字数 755 R|正解率 880 R|"
                                     "秒当たり 980 R|秒数 1025 R")
                              << QByteArray(R"("1","1",1,1,1,1,"1","1","1")") << QStringLiteral("seconds 8, answers 3+4, best 3");
    QTest::newRow("バラバラ") << 3
                              << QStringLiteral(
                                     "回 600 R|日付 1400 C|時間 1000 C|答数 600 R|ＯＫ 600 R|ＮＧ 600 R|文字数 755 R|正解率 880 R|"
                                     "秒当たり 980 R|表示秒数 1025 R")
                              << QByteArray(R"("1","1",1,1,1,1,"1","1","1")") << QStringLiteral("seconds 8, answers 3+4, best 3");
    const QString level = QStringLiteral("回 570 R|日付 1360 C|時間 960 C|答数 600 R|ＯＫ 580 R|ＮＧ 580 R|字数 600 R|"
                                         "正解率 860 R|秒当たり 980 R|秒数 980 R|Ｍ 360 C");
    const QString levelReads = QStringLiteral("seconds 8, mode 9 by its first character, answers 2, best 3");
    QTest::newRow("四熟虫喰") << 4 << level << QByteArray(R"("1","1",1,1,1,1,"1","1","1","1")") << levelReads;
    QTest::newRow("連想心理") << 5
                              << QStringLiteral(
                                     "回 600 R|日付 1100 C|時間 680 C|問題 1900 L|計 450 R|新 400 R|既 400 R|重 400 R|字数 570 R|"
                                     "秒当たり 950 R|秒数 980 R")
                              << QByteArray(R"("1","1","1",1,1,1,1,1,"1","1")")
                              << QStringLiteral("seconds 9, topic 2, answers 3, best 4 alone in count mode");
    QTest::newRow("カラパニ") << 6 << level << QByteArray(R"("1","1",1,1,1,1,"1","1","1","1")") << levelReads;
    QTest::newRow("ボキャブラ") << 7
                                << QStringLiteral(
                                       "回 600 R|日付 1400 C|時間 1000 C|ＯＫ 550 R|ＮＧ 550 R|文字 550 R|得点 600 R|正解率 870 R|"
                                       "秒当たり 980 R|秒数 980 R|Ｍ 340 C")
                                << QByteArray(R"("1","1",1,1,1,1,"1","1","1","1")")
                                << QStringLiteral("seconds 8, mode 9 by its first character, answers 2+3, best 2");
}

void TestHistoryTables::eachGameKeepsItsHistory()
{
    QFETCH(int, game);
    QFETCH(QString, columns);
    QFETCH(QByteArray, line);
    QFETCH(QString, reads);
    using Definition = GameDefinition (*)();
    const Definition definitions[] = {frmG1::definition, frmG2::definition, frmG3::definition, frmG4::definition,
                                      frmG5::definition, frmG6::definition, frmG7::definition};
    const GameDefinition definition = definitions[game - 1]();
    const HistoryLayout &layout = definition.history;

    QStringList shown{QStringLiteral("回 %1 R").arg(definition.numberTwips)};
    for (const HistoryColumn &column : layout.columns) {
        const QChar align = column.align == Qt::AlignLeft ? u'L' : column.align == Qt::AlignRight ? u'R' : u'C';
        shown << QStringLiteral("%1 %2 %3").arg(QString::fromUtf16(column.heading)).arg(column.twips).arg(align);
    }
    QCOMPARE(shown.join(u'|'), columns);

    QTemporaryDir folder;
    const HistoryFile file(folder.filePath(QStringLiteral("履歴.txt")), layout);
    QVERIFY(file.append(HistoryRow(qsizetype(layout.fields.size()), QStringLiteral("1"))).ok());
    QCOMPARE(readBytes(file.path()), line + "\r\n");

    QStringList read{QStringLiteral("seconds %1").arg(layout.secondsField)};
    if (layout.modeField >= 0)
        read << QStringLiteral("mode %1%2").arg(layout.modeField).arg(layout.modeByFirstCharacter ? " by its first character" : "");
    if (layout.topicField >= 0)
        read << QStringLiteral("topic %1").arg(layout.topicField);
    QStringList answers;
    for (int field : layout.answersFields)
        answers << QString::number(field);
    read << QStringLiteral("answers ") + answers.join(u'+');
    read << QStringLiteral("best %1%2").arg(layout.achievementField).arg(layout.achievementInCountMode ? " alone in count mode" : "");
    QCOMPARE(read.join(QStringLiteral(", ")), reads);
}

QTEST_GUILESS_MAIN(TestHistoryTables)
#include "tst_historytables.moc"
