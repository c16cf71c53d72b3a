#include "Desk.h"
#include "TestFiles.h"
#include "Widgets.h"

#include "games/common/ProgramState.h"
#include "games/vocabra/frmG7.h"
#include "records/Services.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <optional>

using namespace kotohana;
using namespace kotohana::test;

class TestVocabra : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void playThroughTheWindow();
    void newPlayStartsFromZero();
    void manualSaveKeepsTheModeThePlayHad();
    void unreadableListIsReportedAndLeftAlone_data();
    void unreadableListIsReportedAndLeftAlone();

private:
    std::optional<Desk> m_desk;
    ProgramState m_state;

    // A data folder of its own: kana らい and かさ, an empty banned list, the given settings,
    // every draw 0.
    void room(const QString &settings)
    {
        m_desk.emplace(QDateTime(QDate(2024, 5, 18), QTime(7, 0, 0)), QList<double>{0.0});
        writeBytes(m_desk->file(u"ボキャブラかな.TXT"), sjis(QStringLiteral("らい\nかさ\n")));
        writeBytes(m_desk->file(u"ボキャブラ不要.TXT"), {});
        writeBytes(m_desk->file(u"ボキャブラ設定.txt"), sjis(settings + u'\n'));
    }
    std::unique_ptr<frmG7> open() { return openGame<frmG7>(m_desk->services, m_state); }
};

void TestVocabra::playThroughTheWindow()
{
    room(QStringLiteral("3,60,\"１文字\",\"答数\",1"));
    QVERIFY(QFile::remove(m_desk->file(u"ボキャブラ不要.TXT")));
    const auto window = open();
    QCOMPARE(m_desk->messages.shown().size(), 1); // the banned list was missing and is made anew
    QVERIFY(m_desk->folder.contains(u"ボキャブラ不要.TXT"));
    startPlay(*window, m_desk->clock);
    auto *question = window->findChild<QLabel *>(QStringLiteral("lblMondai"));
    QCOMPARE(question->text(), QStringLiteral("らい"));
    m_desk->clock.advanceMilliseconds(10000);
    window->tmrPlay_Timer();
    const auto type = [&](const QString &text) { typeAnswer(*window, text); };
    type(QStringLiteral("不要")); // banned for good, but may come again in this window
    QCOMPARE(readBytes(m_desk->file(u"ボキャブラ不要.TXT")), sjis(QStringLiteral("らい\n")));
    QCOMPARE(question->text(), QStringLiteral("らい"));
    type(QStringLiteral("すらいむ"));
    type(QStringLiteral("らい")); // counts nothing
    type(QStringLiteral("かぼちゃ"));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblTen3"))->text(), QStringLiteral("2"));
    type(QStringLiteral("みらい")); // the third counted answer ends the play
    auto *entries = window->findChild<QListWidget *>(QStringLiteral("lstRireki"));
    QCOMPARE(entries->count(), 3);
    QCOMPARE(entries->item(1)->text(), QStringLiteral("らい _ "));
    QCOMPARE(readBytes(m_desk->file(u"ボキャブラ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:13\",2,1,11,4,\"66.7%\",\"1.10/秒\",\"10秒\",\"１\"\n")));
    QCOMPARE(readBytes(m_desk->file(u"データ.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:13\",\"ボキャブラ\",10,\"答数 : 3  １文字モード\",\n")));

    // Opened again, the banned question is never asked.
    const auto again = open();
    startPlay(*again, m_desk->clock);
    QCOMPARE(find<QLabel>(*again, QStringLiteral("lblMondai"))->text(), QStringLiteral("かさ"));
}

void TestVocabra::newPlayStartsFromZero()
{
    room(QStringLiteral("2,60,\"１文字\",\"答数\",1"));
    const auto window = open();
    startPlay(*window, m_desk->clock);
    typeAnswer(*window, QStringLiteral("すらいむ"));
    typeAnswer(*window, QStringLiteral("らいおん")); // the second answer ends the play
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblTen3"))->text(), QStringLiteral("4"));

    click(*window, "cmdStart");
    for (int i = 0; i < 4; ++i)
        QCOMPARE(find<QLabel>(*window, QStringLiteral("lblTen%1").arg(i))->text(), QStringLiteral("0"));
    QCOMPARE(find<QListWidget>(*window, QStringLiteral("lstRireki"))->count(), 0);
}

void TestVocabra::manualSaveKeepsTheModeThePlayHad()
{
    room(QStringLiteral("1,60,\"２文字\",\"答数\",0"));
    const auto window = open();
    startPlay(*window, m_desk->clock);
    QCOMPARE(find<QLabel>(*window, QStringLiteral("lblMondai"))->text(), QStringLiteral("らいらい"));
    m_desk->clock.advanceMilliseconds(5000);
    window->tmrPlay_Timer();
    typeAnswer(*window, QStringLiteral("らいらいけん"));
    QVERIFY(!m_desk->folder.contains(u"ボキャブラ履歴.txt")); // manual mode: nothing saved yet

    auto *modes = find<QComboBox>(*window, QStringLiteral("cboMode"));
    modes->setCurrentText(QStringLiteral("１文字"));
    Q_EMIT modes->activated(modes->currentIndex());
    click(*window, "cmdHozon");
    QCOMPARE(readBytes(m_desk->file(u"ボキャブラ履歴.txt")),
             sjis(QStringLiteral("\"2024/05/18\",\"07:00:08\",1,0,6,1,\"100.0%\",\"1.20/秒\",\"5秒\",\"２\"\n")));
}

void TestVocabra::unreadableListIsReportedAndLeftAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("canStart");
    QTest::newRow("kana list") << QStringLiteral("ボキャブラかな.TXT") << false;
    QTest::newRow("banned list") << QStringLiteral("ボキャブラ不要.TXT") << true;
}

void TestVocabra::unreadableListIsReportedAndLeftAlone()
{
    QFETCH(QString, name);
    QFETCH(bool, canStart);
    room(QStringLiteral("1,60,\"１文字\",\"答数\",1"));
    const QString path = m_desk->file(name);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path)); // there, but no file to read
    const auto window = open();
    QCOMPARE(m_desk->messages.shown().size(), 1);
    QCOMPARE(m_desk->messages.shown().first().icon, ScriptedMessageBoxes::Icon::Critical);
    QVERIFY(m_desk->messages.shown().first().text.contains(name));
    QVERIFY(QFileInfo(path).isDir());

    click(*window, "cmdStart");
    QCOMPARE(!find<QPushButton>(*window, QStringLiteral("cmdStart"))->isEnabled(), canStart);
}

QTEST_MAIN(TestVocabra)
#include "tst_vocabra.moc"
