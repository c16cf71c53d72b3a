// Pictures of every page of the main window and of every game window, at the size the window
// opens at and at the smallest size it allows, over a data folder as a player's would look:
//     kotohana_screenshots OUTPUT-FOLDER [--whole-screen] [--dark | --high-contrast]
// With --whole-screen a picture is of the whole screen, showing where the window lies on it;
// with --dark the desktop's palette is a dark one, as GNOME's dark theme gives, with
// --high-contrast a high-contrast one.
// tools/screenshots.sh runs it under a virtual X display.
#include "SampleData.h"
#include "SamplePalettes.h"

#include "app/Application.h"
#include "app/DataBackup.h"
#include "app/frmMain.h"
#include "games/common/GameWindow.h"
#include "games/plamai/PlamaiRules.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "records/Backups.h"
#include "records/RecordStore.h"
#include "records/Services.h"
#include "ui/Look.h"
#include "ui/Theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace kotohana {
namespace {

class StillClock final : public Clock
{
public:
    explicit StillClock(QDateTime now)
        : m_now(std::move(now))
    {
    }
    QDateTime now() const override { return m_now; }
    qint64 monotonicMilliseconds() const override { return m_timer.elapsed(); }

private:
    QDateTime m_now;
    QElapsedTimer m_timer = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
};

// Messages are printed, not shown: nothing must wait for a click. Of the questions, only
// leaving a game in the middle of a play is answered OK: nothing is ever deleted.
class PrintedMessages final : public MessageBoxes
{
public:
    void information(const QString &text, const QString &title) override { print(title, text); }
    void warning(const QString &text, const QString &title) override { print(title, text); }
    bool confirm(const QString &text, const QString &title) override
    {
        print(title, text);
        return title == QStringLiteral("戻り確認");
    }
    void critical(const QString &text, const QString &title) override { print(title, text); }
    SaveChoice askToSave(const QString &text, const QString &title) override
    {
        print(title, text);
        return SaveChoice::Discard;
    }

private:
    static void print(const QString &title, const QString &text)
    {
        std::printf("message %s: %s\n", qPrintable(title), qPrintable(text));
    }
};

void settle(int ms = 150)
{
    QTest::qWait(ms);
}

// The program over a data folder, its main window open.
struct Run {
    Run(const DataFolder &folder, const Clock &clock, RandomSource &random, MessageBoxes &messages)
        : records(folder.path(PlayRecordFile::kFileName))
        , services{clock, random, messages, folder, records}
        , application(services)
    {
        application.state().welcomeShown = true;
        application.showMain();
        settle(400);
    }

    RecordStore records;
    const Services services;
    Application application;
};

struct Output {
    QString folder;
    bool wholeScreen = false;
};

void save(QWidget &window, const Output &out, const QString &name)
{
    settle();
    const QString path = QDir(out.folder).filePath(name + QStringLiteral(".png"));
    const QPixmap picture = out.wholeScreen ? window.screen()->grabWindow(0) : window.grab();
    if (!picture.save(path))
        std::printf("could not write %s\n", qPrintable(path));
}

void click(QWidget &window, const char *name)
{
    if (auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(name)))
        button->click();
    else
        std::printf("no button %s\n", name);
}

// The sizes a window is looked at: as it opens, and as small as it allows.
template <typename Shoot>
void atBothSizes(QWidget &window, Shoot shoot)
{
    const QSize opened = window.size();
    shoot(QStringLiteral("default"));
    window.resize(window.minimumSize().expandedTo(window.minimumSizeHint()));
    settle();
    shoot(QStringLiteral("minimum"));
    window.resize(opened);
    settle();
}

// Backups as some days of use leave them: two earlier days', each with the plays before it, and
// a restore of the newer one, undone a few minutes later.
void makeBackups(const DataFolder &folder, const Clock &clock)
{
    const QString recordFile = folder.path(PlayRecordFile::kFileName);
    const std::vector<PlayRecord> plays = PlayRecordFile(recordFile).readAll().records;
    const QStringList names = dataFileNames(folder);
    std::vector<Backups::Kept> kept;
    for (int daysBefore : {6, 1}) {
        const StillClock then(clock.now().addDays(-daysBefore));
        const QString day = then.today().toString(u"yyyy/MM/dd");
        std::vector<PlayRecord> before;
        std::copy_if(plays.begin(), plays.end(), std::back_inserter(before),
                     [&](const PlayRecord &play) { return play.date < day; });
        PlayRecordFile(recordFile).rewrite(before);
        Backups(folder, then, names).makeDaily();
    }
    PlayRecordFile(recordFile).rewrite(plays);
    const StillClock restored(clock.now().addSecs(-600));
    const Backups::Restored first = Backups(folder, restored, names).restore(Backups(folder, clock, names).kept().front());
    const StillClock undone(clock.now().addSecs(-300));
    for (const Backups::Kept &backup : Backups(folder, clock, names).kept()) {
        if (backup.directory == first.before)
            Backups(folder, undone, names).restore(backup);
    }
}

} // namespace
} // namespace kotohana

int main(int argc, char **argv)
{
    using namespace kotohana;
    QApplication qt(argc, argv);
    QStringList args = QApplication::arguments();
    const bool wholeScreen = args.removeAll(QStringLiteral("--whole-screen")) > 0;
    if (args.removeAll(QStringLiteral("--dark")) > 0)
        QApplication::setPalette(sample::darkPalette());
    if (args.removeAll(QStringLiteral("--high-contrast")) > 0)
        QApplication::setPalette(sample::highContrastPalette());
    useProgramLook();
    applyTheme(qt);
    QTranslator qtTexts;
    installQtTexts(qtTexts);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kotohana_screenshots OUTPUT-FOLDER [--whole-screen] [--dark | --high-contrast]\n");
        return 2;
    }
    const Output out{args.at(1), wholeScreen};
    QDir().mkpath(out.folder);

    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    StillClock clock(sample::fillFolder(folder, 400, 30));
    makeBackups(folder, clock);
    MersenneRandomSource random(clock, 1);
    PrintedMessages messages;
    Run run(folder, clock, random, messages);
    Application &application = run.application;

    frmMain *main = application.mainWindow();
    // A page, the chart button pressed on it (if any), and the picture's name.
    struct Shot {
        const char *page;
        const char *chart;
        const char *name;
    };
    const Shot shots[] = {{"cmdMain", nullptr, "01-main"},
                          {"cmdMain", "cmdJikan", "02-main-hours"},
                          {"cmdGame", nullptr, "03-launcher"},
                          {"cmdTaijyu", nullptr, "04-range"},
                          {"cmdTaijyu", "cmdDay3", "05-range-series"},
                          {"cmdRentai", "cmdDay2", "06-allgraph-series"},
                          {"cmdRentai", "cmdHigoto", "07-allgraph-daily"},
                          {"cmdRentai", "cmdJikan2", "08-allgraph-hours"},
                          {"cmdCale", nullptr, "09-calendar"},
                          {"cmdBunseki", nullptr, "10-sort"},
                          {"cmdSyuukei", nullptr, "11-totals"},
                          {"cmdMemo", nullptr, "12-diary"},
                          {"cmdSettei", nullptr, "13-edit"}};
    // Each picture at both sizes before the next: a page keeps the chart last pressed on it,
    // so the pictures of a page at rest come before those of its charts at either size.
    for (const Shot &shot : shots) {
        atBothSizes(*main, [&](const QString &size) {
            click(*main, "cmdMain");
            click(*main, shot.page);
            if (shot.chart)
                click(*main, shot.chart);
            save(*main, out, QStringLiteral("main-%1-%2").arg(QString::fromLatin1(shot.name), size));
            if (qstrcmp(shot.page, "cmdGame") == 0)
                click(*main, "cmdModori");
        });
    }
    // The edit page's list of backups to restore from, over the page.
    click(*main, "cmdMain");
    click(*main, "cmdSettei");
    click(*main, "cmdRestore");
    if (auto *dialog = main->findChild<QDialog *>(QStringLiteral("frmRestore"))) {
        atBothSizes(*main, [&](const QString &size) { save(*main, out, QStringLiteral("main-15-restore-%1").arg(size)); });
        atBothSizes(*dialog,
                    [&](const QString &size) { save(*dialog, out, QStringLiteral("main-16-restore-dialog-%1").arg(size)); });
        dialog->close();
    }
    // A diary line longer than its column, just saved.
    click(*main, "cmdMemo");
    if (auto *diary = main->findChild<QTableView *>(QStringLiteral("msgMemoList"))) {
        const QRect cell = diary->visualRect(diary->model()->index(diary->model()->rowCount() - 3, 5));
        QTest::mouseClick(diary->viewport(), Qt::LeftButton, {}, cell.center());
    }
    if (auto *line = main->findChild<QLineEdit *>(QStringLiteral("txtMemo")))
        line->setText(QStringLiteral(
            "朝いちばんに遊んだら頭がすっきりして、しりとりでもプラマイでも新記録に近い成績が出せたので、明日も同じ時間に続けてみる"));
    click(*main, "cmdMemoHozon");
    atBothSizes(*main, [&](const QString &size) { save(*main, out, QStringLiteral("main-14-diary-saved-%1").arg(size)); });

    for (int game = 1; game <= 7; ++game) {
        application.openGame(game);
        settle(400);
        GameWindow *window = application.gameWindow();
        if (!window)
            continue;
        atBothSizes(*window, [&](const QString &size) {
            save(*window, out, QStringLiteral("game%1-%2-idle").arg(game).arg(size));
            // 連想心理's topic history stands over its play area.
            if (auto *topics = window->findChild<QAbstractButton *>(QStringLiteral("cmdSyousai"))) {
                click(*window, "optRendata2");
                save(*window, out, QStringLiteral("game%1-%2-existing").arg(game).arg(size));
                click(*window, "optRendata");
                topics->click();
                save(*window, out, QStringLiteral("game%1-%2-topics").arg(game).arg(size));
                click(*window, "cmdModoru");
            }
        });
        // A play of the shortest time limit, with one answer typed, runs to its end (プラマイ's
        // ended play is taken below, with a personal best).
        const bool playToTheEnd = game != 1;
        if (playToTheEnd) {
            click(*window, "optMode1");
            if (auto *seconds = window->findChild<QComboBox *>(QStringLiteral("cboJikan"))) {
                seconds->setCurrentIndex(0);
                Q_EMIT seconds->activated(0);
            }
        }
        click(*window, "cmdStart");
        QElapsedTimer started;
        started.start();
        settle(4500); // the countdown before the first question
        if (auto *box = window->findChild<QLineEdit *>(QStringLiteral("txtKaitou")); box && playToTheEnd) {
            box->setText(QStringLiteral("りんご"));
            QTest::keyClick(box, Qt::Key_Return);
        }
        atBothSizes(*window,
                    [&](const QString &size) { save(*window, out, QStringLiteral("game%1-%2-playing").arg(game).arg(size)); });
        if (playToTheEnd) {
            settle(int(std::max<qint64>(0, 16000 - started.elapsed())));
            atBothSizes(*window,
                        [&](const QString &size) { save(*window, out, QStringLiteral("game%1-%2-ended").arg(game).arg(size)); });
        }
        click(*window, "cmdEnd");
        settle(400);
    }
    // A finished プラマイ play of one answer, faster than the slow plays put in its history
    // for it: the results as they show at the end of a play, with the personal best.
    for (const char16_t *mode : {u"＋", u"－"})
        TextFile::appendLine(folder.path(u"プラマイ履歴.txt"),
                             QStringLiteral("\"2024/01/01\",\"10:00:00\",1,1,0,\"100.0%\",\"0.01/秒\",\"99秒\",\"%1\"")
                                 .arg(QString::fromUtf16(mode)));
    application.openGame(1);
    settle(400);
    if (GameWindow *window = application.gameWindow()) {
        click(*window, "optMode0");
        if (auto *answers = window->findChild<QComboBox *>(QStringLiteral("cboKaisu"))) {
            answers->setCurrentText(QStringLiteral("1"));
            Q_EMIT answers->activated(answers->currentIndex());
        }
        click(*window, "cmdStart");
        settle(4500);
        const auto digit = [&](int i) {
            const auto *label = window->findChild<QLabel *>(QStringLiteral("lblMondai%1").arg(i));
            return label ? label->text().toInt() : 0;
        };
        const auto *mode = window->findChild<QComboBox *>(QStringLiteral("cboMode"));
        const int answer = PlamaiRules::expected(digit(1), digit(2), mode ? mode->currentText() : QString());
        if (auto *box = window->findChild<QLineEdit *>(QStringLiteral("txtKaitou1")))
            QTest::keyClick(box, char('0' + answer));
        atBothSizes(*window, [&](const QString &size) { save(*window, out, QStringLiteral("game1-%1-ended").arg(size)); });
        click(*window, "cmdEnd");
        settle(400);
    }
    // The calendar page over a data folder without a play.
    if (frmMain *window = application.mainWindow())
        window->hide();
    QTemporaryDir emptyDir;
    const DataFolder emptyFolder(emptyDir.path());
    TextFile::writeLines(emptyFolder.path(u"設定.txt"), {QStringLiteral("\"ヘルプツアー\",0")});
    Run empty(emptyFolder, clock, random, messages);
    frmMain *emptyMain = empty.application.mainWindow();
    atBothSizes(*emptyMain, [&](const QString &size) {
        click(*emptyMain, "cmdCale");
        save(*emptyMain, out, QStringLiteral("main-09-calendar-empty-%1").arg(size));
    });
    std::printf("pictures in %s\n", qPrintable(out.folder));
    return 0;
}
