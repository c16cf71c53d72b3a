#include "TestFiles.h"

#include "platform/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <utility>
#include <vector>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kotohana;
using namespace kotohana::test;

namespace {

// The steps the file layer takes on the disk, each with the file it took it on: this program's
// own fsync() and rename() stand in front of the C library's and note each call.
enum class Step { Flush, Replace };
std::vector<std::pair<Step, ino_t>> g_steps;

template <typename Function>
Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int handle)
{
    struct stat status {
    };
    if (::fstat(handle, &status) == 0)
        g_steps.emplace_back(Step::Flush, status.st_ino);
    static const auto flush = real<int (*)(int)>("fsync");
    return flush(handle);
}

extern "C" int rename(const char *from, const char *to) noexcept
{
    struct stat status {
    };
    if (::stat(from, &status) == 0)
        g_steps.emplace_back(Step::Replace, status.st_ino);
    static const auto move = real<int (*)(const char *, const char *)>("rename");
    return move(from, to);
}

class TestSaveSteps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newContentIsOnTheDiskBeforeItTakesTheFilesPlace_data();
    void newContentIsOnTheDiskBeforeItTakesTheFilesPlace();
};

void TestSaveSteps::newContentIsOnTheDiskBeforeItTakesTheFilesPlace_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("rewrite") << 0;
    QTest::newRow("copy") << 1;
    QTest::newRow("copies together") << 2;
}

// A power cut between a replace and the system's own writing back would otherwise leave an
// empty file where the old one was.
void TestSaveSteps::newContentIsOnTheDiskBeforeItTakesTheFilesPlace()
{
    QFETCH(int, operation);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("元.txt"));
    const QStringList targets{dir.filePath(QStringLiteral("データ.txt")), dir.filePath(QStringLiteral("メモ.TXT"))};
    writeBytes(source, QByteArray("new\r\n"));
    for (const QString &target : targets)
        writeBytes(target, QByteArray("old\r\n"));
    g_steps.clear();
    const FileResult done = operation == 0 ? TextFile::writeText(targets[0], u"new\r\n")
        : operation == 1                   ? TextFile::copy(source, targets[0])
                                           : TextFile::copyTogether({{source, targets[0]}, {source, targets[1]}});
    QVERIFY(done.ok());
    for (const QString &target : operation == 2 ? targets : targets.first(1)) {
        QCOMPARE(readBytes(target), QByteArray("new\r\n"));
        struct stat status {
        };
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &status), 0);
        std::vector<Step> steps;
        for (const auto &[step, file] : g_steps)
            if (file == status.st_ino)
                steps.push_back(step);
        QCOMPARE(steps, (std::vector<Step>{Step::Flush, Step::Replace}));
    }
}

QTEST_GUILESS_MAIN(TestSaveSteps)
#include "tst_savesteps.moc"
