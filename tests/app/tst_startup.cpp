#include "app/StartUp.h"

#include "ScriptedMessageBoxes.h"
#include "FakeClock.h"
#include "TestFiles.h"

#include "data/DeliveredFiles.h"
#include "platform/FolderLock.h"
#include "records/RecordStore.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kotohana;
using namespace kotohana::test;

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void theRecordsComeFromTheFolderSettled_data();
    void theRecordsComeFromTheFolderSettled();
    void aStartThatEndsBeforeTheWindow();

private:
    QString folder(const QString &name) const { return QDir(m_root->path()).filePath(name); }
    // A data folder whose record file holds one play of the given game.
    void playIn(const QString &name, const QString &game)
    {
        QDir().mkpath(folder(name));
        writeBytes(QDir(folder(name)).filePath(QStringLiteral("データ.txt")),
                   sjis(QStringLiteral("\"2024/05/18\",\"08:00:00\",\"%1\",60,\"\",\n").arg(game)));
    }

    std::unique_ptr<QTemporaryDir> m_root;
    FakeClock m_clock;
    ScriptedMessageBoxes m_messages;
};

void TestStartUp::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    m_messages.forget();
    playIn(QStringLiteral("given"), QStringLiteral("プラマイ"));
    playIn(QStringLiteral("other"), QStringLiteral("しりとり"));
    playIn(QStringLiteral("program"), QStringLiteral("バラバラ"));
    QDir().mkpath(folder(QStringLiteral("user")));
}

// Whatever was read ahead, the records shown are those of the folder settled once Qt runs:
// the folder given, else a portable copy's, else the user's.
void TestStartUp::theRecordsComeFromTheFolderSettled_data()
{
    QTest::addColumn<QStringList>("before"); // the arguments as the system gave them
    QTest::addColumn<QString>("programBefore"); // the program's folder as known before Qt
    QTest::addColumn<QString>("readAhead");
    QTest::addColumn<QStringList>("after"); // the arguments as Qt gives them
    QTest::addColumn<QString>("settled");
    QTest::addColumn<QString>("game");

    const QString program = QStringLiteral("program");
    QTest::newRow("the folder given") << QStringList{QStringLiteral("given")} << program << QStringLiteral("given")
                                      << QStringList{QStringLiteral("given")} << QStringLiteral("given")
                                      << QStringLiteral("プラマイ");
    QTest::newRow("a portable copy") << QStringList{} << program << program << QStringList{} << program
                                     << QStringLiteral("バラバラ");
    // Qt takes its own options out: the folder is known only then.
    QTest::newRow("Qt's options") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("other")}
                                  << program << QString() << QStringList{QStringLiteral("other")} << QStringLiteral("other")
                                  << QStringLiteral("しりとり");
    QTest::newRow("read ahead from another folder")
        << QStringList{QStringLiteral("given")} << program << QStringLiteral("given") << QStringList{QStringLiteral("other")}
        << QStringLiteral("other") << QStringLiteral("しりとり");
    // Where the system does not tell the program's folder, the current folder is not taken
    // for it: the user's folder is read ahead, and the portable copy found once Qt runs.
    QTest::newRow("the program's folder unknown before Qt")
        << QStringList{} << QString() << QStringLiteral("user") << QStringList{} << program << QStringLiteral("バラバラ");
}

void TestStartUp::theRecordsComeFromTheFolderSettled()
{
    QFETCH(QStringList, before);
    QFETCH(QString, programBefore);
    QFETCH(QString, readAhead);
    QFETCH(QStringList, after);
    QFETCH(QString, settled);
    QFETCH(QString, game);
    const auto inRoot = [this](QStringList arguments) {
        for (QString &argument : arguments) {
            if (!argument.startsWith(u'-') && argument != QStringLiteral("offscreen"))
                argument = folder(argument);
        }
        arguments.prepend(folder(QStringLiteral("program/kotohana")));
        return arguments;
    };
    const QString current = QDir::currentPath();
    QDir::setCurrent(folder(QStringLiteral("other")));

    StartUp start(inRoot(before), programBefore.isEmpty() ? QString() : folder(programBefore), folder(QStringLiteral("user")),
                  m_clock);
    QCOMPARE(start.directoryReadAhead(), readAhead.isEmpty() ? QString() : folder(readAhead));
    QVERIFY(start.settleFolder(inRoot(after), folder(QStringLiteral("program")), deliveredFilesDirectory(), m_messages));
    QDir::setCurrent(current);

    QCOMPARE(start.folder().directory(), folder(settled));
    const auto &records = start.records().current().records;
    QCOMPARE(records.size(), std::size_t(1));
    QCOMPARE(records.front().item, game);
    QVERIFY(m_messages.shown().isEmpty());
    // The folder settled is locked for this copy, and has the files it lacked.
    QCOMPARE(FolderLock(folder(settled)).state(), FolderLock::State::HeldElsewhere);
    QVERIFY(QFileInfo::exists(QDir(folder(settled)).filePath(QStringLiteral("しりとり辞書.txt"))));
}

// The start ends, having said why, when the folder cannot be made or another copy has it.
void TestStartUp::aStartThatEndsBeforeTheWindow()
{
    writeBytes(folder(QStringLiteral("a file")), "x");
    StartUp blocked({QStringLiteral("kotohana"), folder(QStringLiteral("a file/data"))}, {}, folder(QStringLiteral("user")),
                    m_clock);
    QVERIFY(!blocked.settleFolder({QStringLiteral("kotohana"), folder(QStringLiteral("a file/data"))}, {},
                                  deliveredFilesDirectory(), m_messages));
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().last().text,
             QStringLiteral("データを保存するフォルダ「%1」を作れませんでした。").arg(folder(QStringLiteral("a file/data"))));

    const QStringList given{QStringLiteral("kotohana"), folder(QStringLiteral("given"))};
    StartUp first(given, {}, folder(QStringLiteral("user")), m_clock);
    QVERIFY(first.settleFolder(given, {}, deliveredFilesDirectory(), m_messages));
    StartUp second(given, {}, folder(QStringLiteral("user")), m_clock);
    QVERIFY(!second.settleFolder(given, {}, deliveredFilesDirectory(), m_messages));
    QCOMPARE(m_messages.shown().size(), 2);
    QVERIFY(m_messages.shown().last().text.startsWith(QStringLiteral("コトハナはこのデータフォルダーですでに起動しています。")));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
