#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/rensou/RensouRules.h"
#include "games/rensou/frmG5.h"
#include "platform/DataFolder.h"
#include "platform/ProgramState.h"
#include "platform/Services.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kotohana;
using namespace kotohana::test;

class TestRensou : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
    SequenceRandom m_random{{0.0}};
    ScriptedMessageBoxes m_messages;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<Services> m_services;
    ProgramState m_state;

    QString file(const QString &name) const { return m_folder->path(name); }

    std::unique_ptr<frmG5> open()
    {
        auto window = std::make_unique<frmG5>(*m_services, m_state);
        window->Form_Load();
        stopTimers(*window);
        return window;
    }


    void play(frmG5 &window, const QStringList &answers, qint64 elapsedMs = 5000)
    {
        click(window, "cmdStart2");
        for (int i = 0; i < 3; ++i) {
            m_clock.advanceMilliseconds(1000);
            window.tmrStart_Timer();
        }
        m_clock.advanceMilliseconds(elapsedMs);
        window.tmrPlay_Timer();
        for (const QString &answer : answers)
            typeAnswer(window, answer);
    }

    QString label(const frmG5 &window, const char *name) { return find<QLabel>(window, QString::fromLatin1(name))->text(); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<DataFolder>(m_dir->path());
        m_services = std::make_unique<Services>(Services{m_clock, m_random, m_messages, *m_folder});
        m_state = ProgramState();
        m_state.helpTourFlag = 0;
        m_clock.set(QDateTime(QDate(2024, 5, 18), QTime(20, 0, 0)));
        m_messages.forget();
        writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("好きな動物\n何?それ\n夏といえば\n")));
        writeBytes(file(QStringLiteral("連想心理設定.txt")), sjis(QStringLiteral("3,60,\"答数\",1\n")));
    }

    void rules();
    void topicsWithForbiddenCharactersAreSkipped();
    void answersAreNewExistingOrDuplicate();
    void clearingATopicStartsItAfresh();
};

void TestRensou::rules()
{
    using namespace RensouRules;
    QCOMPARE(forbiddenCharacter(QStringLiteral("何?それ")).value(), QChar(u'?'));
    QCOMPARE(forbiddenCharacter(QStringLiteral("a/b|c")).value(), QChar(u'|')); // the last in test order
    QCOMPARE(forbiddenCharacter(QStringLiteral("../上")).value(), QChar(u'/'));
    QVERIFY(!forbiddenCharacter(QStringLiteral("好きな動物")));
    QCOMPARE(classify(QStringLiteral("ネコ"), {QStringLiteral("ねこ")}, {}), Kind::New);
    QCOMPARE(classify(QStringLiteral("ねこ"), {QStringLiteral("ねこ")}, {QStringLiteral("ねこ")}), Kind::Duplicate);
    QCOMPARE(classify(QStringLiteral("ねこ"), {}, {QStringLiteral("ねこ")}), Kind::Existing);
    const std::vector<QStringList> log{{QStringLiteral("2024/05/17"), QStringLiteral("09:00:00"), QStringLiteral("004"), QStringLiteral("a")},
                                       {QStringLiteral("2024/05/18"), QStringLiteral("09:00:00"), QStringLiteral("002"), QStringLiteral("b")}};
    QCOMPARE(playOfTheDay(log, QStringLiteral("2024/05/18")), 3);
    QCOMPARE(playOfTheDay(log, QStringLiteral("2024/05/19")), 1);
    QCOMPARE(playOfTheDay({}, QStringLiteral("2024/05/19")), 1);
}

void TestRensou::topicsWithForbiddenCharactersAreSkipped()
{
    // A topic whose files would be the program's own (データ.txt, メモ.TXT) is skipped too.
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("データ\nメモ\n猫_履歴\n")));
    auto skipped = open();
    QCOMPARE(m_messages.shown().size(), 3);
    QVERIFY(m_messages.shown().first().text.startsWith(QStringLiteral("データ はこのソフトのファイル")));
    QCOMPARE(find<QComboBox>(*skipped, QStringLiteral("cboMondai"))->count(), 0);
    click(*skipped, "cmdStart"); // nothing to ask: the play does not start
    QVERIFY(find<QPushButton>(*skipped, QStringLiteral("cmdStart"))->isEnabled());
    m_messages.forget();
    writeBytes(file(QStringLiteral("連想心理題目.txt")), sjis(QStringLiteral("好きな動物\n何?それ\n夏といえば\n")));

    auto window = open();
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().first().title, QStringLiteral("不正文字"));
    QCOMPARE(m_messages.shown().first().text, QStringLiteral("何?それ に含まれる ? は使えませんので飛ばします"));
    auto *topics = find<QComboBox>(*window, QStringLiteral("cboMondai"));
    QCOMPARE(topics->count(), 2);
    QCOMPARE(topics->currentText(), QStringLiteral("好きな動物"));
    // スタート draws a topic: the first with a draw of 0.
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdStart")), Qt::LeftButton);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("好きな動物"));
}

void TestRensou::answersAreNewExistingOrDuplicate()
{
    auto window = open();
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("ねこ"), QStringLiteral("ネコ")});
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("2"));
    QCOMPARE(label(*window, "lblNg"), QStringLiteral("1"));
    QCOMPARE(label(*window, "lblChu"), QStringLiteral("0"));
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("3"));
    auto *answers = find<Grid>(*window, QStringLiteral("msgRireki2"));
    QCOMPARE(answers->gridModel().backColor(1, 0), windowsColor(0xC0FFC0));
    QCOMPARE(answers->gridModel().backColor(2, 0), windowsColor(0xC0C0FF));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), sjis(QStringLiteral("ねこ\nネコ\n")));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"001\",\"ねこ\"\n"
                                 "\"2024/05/18\",\"20:00:08\",\"001\",\"ねこ\"\n"
                                 "\"2024/05/18\",\"20:00:08\",\"001\",\"ネコ\"\n")));
    QCOMPARE(readBytes(file(QStringLiteral("連想心理履歴.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"好きな動物\",3,2,0,1,6,\"1.20/秒\",\"5秒\"\n")));
    QCOMPARE(readBytes(file(QStringLiteral("データ.txt"))),
             sjis(QStringLiteral("\"2024/05/18\",\"20:00:08\",\"連想心理\",5,\"答数 : 3\",\n")));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(1, 1), QStringLiteral("24/05/18"));
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki"))->textMatrix(1, 2), QStringLiteral("20:00"));

    // The next play of the day: earlier answers are existing, the play is number 2.
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("😺")});
    QCOMPARE(m_messages.shown().last().icon, ScriptedMessageBoxes::Icon::Critical); // not storable
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("2")); // the refused answer counts nothing
    click(*window, "cmdStart2"); // no new play while this one runs
    typeAnswer(*window, QStringLiteral("うさぎ"));
    QCOMPARE(label(*window, "lblChu"), QStringLiteral("1"));
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("2"));
    QCOMPARE(label(*window, "lblMoji_T"), QStringLiteral("3"));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).endsWith(sjis(QStringLiteral("\"002\",\"うさぎ\"\n"))));

    // Another day starts again at 001.
    m_clock.set(QDateTime(QDate(2024, 5, 19), QTime(8, 0, 0)));
    play(*window, {QStringLiteral("とり"), QStringLiteral("うま"), QStringLiteral("うし")});
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).endsWith(sjis(QStringLiteral("\"001\",\"うし\"\n"))));
}

void TestRensou::clearingATopicStartsItAfresh()
{
    auto window = open();
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdSyousai")), Qt::LeftButton);
    QCOMPARE(find<QListWidget>(*window, QStringLiteral("lstRendata2"))->count(), 3);
    QCOMPARE(find<Grid>(*window, QStringLiteral("msgRireki3"))->rows(), 4);
    m_messages.answerNext(true);
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdRenClr")), Qt::LeftButton);
    QCOMPARE(m_messages.shown().last().text, QStringLiteral("好きな動物のデータをクリアします。よろしいですか？"));
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物.txt"))), QByteArray());
    QCOMPARE(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))), QByteArray());
    QTest::mouseClick(find<QPushButton>(*window, QStringLiteral("cmdModoru")), Qt::LeftButton);
    play(*window, {QStringLiteral("ねこ"), QStringLiteral("いぬ"), QStringLiteral("うさぎ")});
    QCOMPARE(label(*window, "lblOk"), QStringLiteral("3"));
    QVERIFY(readBytes(file(QStringLiteral("好きな動物_履歴.txt"))).startsWith(sjis(QStringLiteral("\"2024/05/18\",\"20:00:16\",\"001\""))));
}

QTEST_MAIN(TestRensou)
#include "tst_rensou.moc"
