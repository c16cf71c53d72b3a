#include "GameBench.h"
#include "SampleData.h"

#include "games/common/GameSettings.h"
#include "games/common/ProgramState.h"
#include "games/plamai/PlamaiRules.h"
#include "games/plamai/frmG1.h"
#include "games/shiritori/ShiritoriPlay.h"
#include "games/shiritori/ShiritoriRules.h"
#include "games/shiritori/frmG2.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "records/PlayRecordFile.h"
#include "records/RecordStore.h"
#include "records/Services.h"
#include "ui/Grid.h"
#include "ui/Look.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QSet>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace kotohana::bench {
namespace {

constexpr int kRounds = 5;
constexpr int kHistoryLines = 10000;
constexpr int kDictionaryWords = 100000;
constexpr int kAnswersPerPlay = 100; // the largest answer limit the window offers

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// A clock the benchmark moves itself, so that a countdown passes without waiting for it.
class StepClock final : public Clock
{
public:
    QDateTime now() const override { return m_now; }
    qint64 monotonicMilliseconds() const override { return m_monotonic; }
    void advance(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonic += ms;
    }

private:
    QDateTime m_now = QDateTime(QDate(2024, 12, 7), QTime(9, 0, 0));
    qint64 m_monotonic = 0;
};

// No box is ever shown: a message during a measurement would wait for a click. They are
// counted, since none is expected.
class CountedMessages final : public MessageBoxes
{
public:
    void information(const QString &text, const QString &) override { note(text); }
    void warning(const QString &text, const QString &) override { note(text); }
    bool confirm(const QString &text, const QString &) override
    {
        note(text);
        return true;
    }
    void critical(const QString &text, const QString &) override { note(text); }
    SaveChoice askToSave(const QString &text, const QString &) override
    {
        note(text);
        return SaveChoice::Discard;
    }

    int count() const { return m_count; }
    const QString &last() const { return m_last; }

private:
    void note(const QString &text)
    {
        ++m_count;
        m_last = text;
    }
    int m_count = 0;
    QString m_last;
};

// Counts the paint events of every widget, to tell that a measured step did paint.
class PaintCounter final : public QObject
{
public:
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_count = 0;
};

// A data folder with long game histories and a large しりとり dictionary, and what the
// windows need around them.
struct World {
    QTemporaryDir dir;
    DataFolder folder{dir.path()};
    StepClock clock;
    MersenneRandomSource random{clock, 20241207};
    CountedMessages messages;
    RecordStore records{folder.path(PlayRecordFile::kFileName)};
    Services services{clock, random, messages, folder, records};
    ProgramState state;
};

// Hiragana words of two to six kana that neither end in ん nor begin with it, so that every
// word can be answered with another; repeats are left in, as a learned dictionary has them.
QStringList dictionaryWords(int count)
{
    static const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
                                               "やゆよらりるれろわがぎぐげござじずぜぞだでどばびぶべぼぱぴぷぺぽ");
    std::mt19937 engine(20241207);
    std::uniform_int_distribution<int> letter(0, int(kana.size()) - 1);
    std::uniform_int_distribution<int> length(2, 6);
    QStringList words;
    words.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString word;
        for (int n = length(engine); n > 0; --n)
            word += kana[letter(engine)];
        words.append(word);
    }
    return words;
}

// Dictionary words by their first kana, each handed out once, for answers that chain.
class AnswerSource
{
public:
    explicit AnswerSource(const QStringList &words)
    {
        for (const QString &word : words)
            m_byKana[word.front()].append(word);
    }
    // A word not given before that begins with kana; a new word (not in the dictionary) if
    // fresh is set.
    QString next(const QString &kana, bool fresh)
    {
        if (fresh) {
            // The counter's digits as kana, after a ゑ no dictionary word holds.
            static const QString digits = QStringLiteral("あいうえおかきくけこ");
            QString word = kana + QStringLiteral("ゑ");
            for (const QChar digit : QString::number(++m_fresh))
                word += digits[digit.digitValue()];
            return word + QStringLiteral("か");
        }
        QStringList &words = m_byKana[kana.front()];
        qsizetype &used = m_used[kana.front()];
        while (used < words.size() && m_given.contains(words.at(used)))
            ++used;
        if (used >= words.size())
            return kana + QStringLiteral("ゑか");
        m_given.insert(words.at(used));
        return words.at(used++);
    }

private:
    QHash<QChar, QStringList> m_byKana;
    QHash<QChar, qsizetype> m_used;
    QSet<QString> m_given;
    int m_fresh = 0;
};

struct Spread {
    double median = 0;
    double worst = 0;
    int count = 0;
};

Spread spread(std::vector<double> samples)
{
    Spread result;
    if (samples.empty())
        return result;
    std::sort(samples.begin(), samples.end());
    result.median = samples[samples.size() / 2];
    result.worst = samples.back();
    result.count = int(samples.size());
    return result;
}

void printSpread(const char *what, const Spread &s)
{
    std::printf("%-44s median %6.2f ms  worst %6.2f ms  (%d)\n", what, s.median, s.worst, s.count);
}

void printFigure(const char *what, double ms, const char *note = "")
{
    std::printf("%-44s %7.1f ms%s\n", what, ms, note);
}

template <typename Window>
std::unique_ptr<Window> openWindow(World &world)
{
    auto window = std::make_unique<Window>(world.services, world.state);
    window->Form_Load();
    QCoreApplication::processEvents();
    return window;
}

// The window's own clock ticks are driven by the benchmark.
void stopTimers(const QWidget &window)
{
    for (QTimer *timer : window.findChildren<QTimer *>())
        timer->stop();
}

// Lets the window finish what it left for later, as it does during a countdown.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Window>
void startPlay(World &world, Window &window)
{
    window.cmdStart_Click();
    for (int i = 0; i < 3; ++i) {
        world.clock.advance(1000);
        window.tmrStart_Timer();
    }
    settle();
}

// One key pressed and released on a widget, until the window has painted what it did.
double keystroke(QWidget *target, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    QCoreApplication::processEvents();
    return elapsedMs(timer);
}

template <typename Window>
void measureWindowLoad(World &world, const char *what, const PaintCounter &paints)
{
    double best = 1e18;
    bool painted = true;
    int listed = 0;
    for (int round = 0; round < kRounds; ++round) {
        const int before = paints.count();
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<Window> window = openWindow<Window>(world);
        best = std::min(best, elapsedMs(timer));
        painted = painted && paints.count() > before;
        listed = window->template findChild<Grid *>(QStringLiteral("msgRireki"))->rows() - 1;
        window.reset();
        QCoreApplication::processEvents();
    }
    const QByteArray note
        = QStringLiteral("  (%1 rows listed%2)").arg(listed).arg(painted ? QString() : QStringLiteral(", NOT PAINTED")).toUtf8();
    printFigure(what, best, note.constData());
}

void writeSettings(const World &world, const GameDefinition &game)
{
    GameSettings settings;
    settings.answers = kAnswersPerPlay;
    settings.timingName = QStringLiteral("答数");
    settings.modeName = game.modeNames.value(0);
    settings.autoSave = 1;
    GameSettingsFile(world.folder.path(game.game.settingsFileName()), game.modeNames).save(settings);
}

void warnOfMessages(const World &world, int before)
{
    if (world.messages.count() != before)
        std::printf("  (%d unexpected messages, the last: %s)\n", world.messages.count() - before,
                    qPrintable(world.messages.last()));
}

// The keystrokes of one play: every answer but the last, the last (which ends and saves the
// play), and how many painted nothing.
struct KeyTally {
    std::vector<double> keys;
    double last = 0;
    int unpainted = 0;

    void add(int answer, double ms, bool painted)
    {
        if (!painted)
            ++unpainted;
        if (answer < kAnswersPerPlay)
            keys.push_back(ms);
        else
            last = ms;
    }
    void print(const char *each, const char *lastOne) const
    {
        printSpread(each, spread(keys));
        printFigure(lastOne, last);
        if (unpainted != 0)
            std::printf("  (%d keystrokes painted nothing)\n", unpainted);
    }
};

// プラマイ: each box typed with its right digit; the last answer ends the play and saves it.
void measurePlamaiKeys(World &world, const PaintCounter &paints)
{
    std::unique_ptr<frmG1> window = openWindow<frmG1>(world);
    stopTimers(*window);
    // The answers chart is lit: the play the last answer saves is drawn into it.
    window->findChild<QPushButton *>(QStringLiteral("cmdKaitou"))->click();
    QCoreApplication::processEvents();
    startPlay(world, *window);
    const int messagesBefore = world.messages.count();
    const QString mode = frmG1::definition().modeNames.value(0);
    KeyTally tally;
    for (int answer = 1; answer <= kAnswersPerPlay; ++answer) {
        auto *box = qobject_cast<QLineEdit *>(window->focusWidget());
        if (!box || !box->objectName().startsWith(QStringLiteral("txtKaitou"))) {
            std::printf("  (プラマイ: no answer box has the focus)\n");
            return;
        }
        const int index = box->objectName().mid(9).toInt();
        const auto digit = [&](int i) { return window->findChild<QLabel *>(QStringLiteral("lblMondai%1").arg(i))->text().toInt(); };
        const QString typed = QString::number(PlamaiRules::expected(digit(index), digit(index + 1), mode));
        const int before = paints.count();
        const double ms = keystroke(box, Qt::Key_0 + typed.toInt(), typed);
        tally.add(answer, ms, paints.count() != before);
    }
    tally.print("keystroke プラマイ (digit in a box)", "keystroke プラマイ, last answer (saved, charted)");
    warnOfMessages(world, messagesBefore);
}

// しりとり: each answer a dictionary word that chains, typed into the box, then Enter.
void measureShiritoriKeys(World &world, const QStringList &words, const PaintCounter &paints)
{
    std::unique_ptr<frmG2> window = openWindow<frmG2>(world);
    stopTimers(*window);
    QElapsedTimer startTimer;
    startTimer.start();
    window->cmdStart_Click();
    QCoreApplication::processEvents();
    const double startMs = elapsedMs(startTimer);
    for (int i = 0; i < 3; ++i) {
        world.clock.advance(1000);
        window->tmrStart_Timer();
    }
    settle();
    printFigure("しりとり スタート (reads 100,000 words)", startMs);

    const int messagesBefore = world.messages.count();
    AnswerSource answers(words);
    auto *question = window->findChild<QLabel *>(QStringLiteral("lblMondai"));
    auto *box = window->findChild<QLineEdit *>(QStringLiteral("txtKaitou"));
    KeyTally tally;
    for (int answer = 1; answer <= kAnswersPerPlay; ++answer) {
        box->setText(answers.next(ShiritoriRules::chainKana(question->text()), false));
        QCoreApplication::processEvents();
        const int before = paints.count();
        const double ms = keystroke(box, Qt::Key_Return, QStringLiteral("\r"));
        tally.add(answer, ms, paints.count() != before);
    }
    tally.print("keystroke しりとり (Enter with a word)", "keystroke しりとり, last answer (saved)");
    warnOfMessages(world, messagesBefore);
}

// The play alone: answers judged against the dictionary, known words and new ones (which
// are written to the dictionary file).
void measureShiritoriJudging(World &world, const QStringList &words)
{
    constexpr int kAnswers = 1000;
    const QString path = world.folder.path(QString::fromUtf16(frmG2::kDictionary));
    QElapsedTimer setupTimer;
    setupTimer.start();
    ShiritoriPlay play({TimingMode::Count, 60, kAnswers + 1, {}, {}}, words, path, world.random);
    printFigure("しりとり play set up (100,000 words)", elapsedMs(setupTimer));
    play.firstWord();
    for (qint64 ms = 1000; ms <= 3000; ms += 1000)
        play.cycle().countdownTick(ms);

    AnswerSource answers(words);
    std::vector<double> known;
    std::vector<double> fresh;
    int refused = 0;
    for (int i = 1; i <= kAnswers; ++i) {
        const bool isNew = i % 10 == 0;
        const QString word = answers.next(ShiritoriRules::chainKana(play.computerWord()), isNew);
        QElapsedTimer timer;
        timer.start();
        const ShiritoriPlay::Reply reply = play.answer(word);
        (isNew ? fresh : known).push_back(elapsedMs(timer));
        if (!reply.outcome.correct)
            ++refused;
    }
    printSpread("しりとり judge, a known word", spread(known));
    printSpread("しりとり judge, a new word (learned)", spread(fresh));
    if (refused != 0)
        std::printf("  (%d answers were refused)\n", refused);
}

} // namespace

int gamesPhase(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useProgramLook();
    World world;
    world.state.welcomeShown = true;

    const GameDefinition plamai = frmG1::definition();
    const GameDefinition shiritori = frmG2::definition();
    const QStringList words = dictionaryWords(kDictionaryWords);
    for (const GameDefinition *game : {&plamai, &shiritori}) {
        TextFile::writeLines(world.folder.path(game->game.historyFileName()), sample::historyLines(*game, kHistoryLines));
        writeSettings(world, *game);
    }
    const QString dictionary = world.folder.path(QString::fromUtf16(frmG2::kDictionary));
    TextFile::writeLines(dictionary, words);

    PaintCounter paints;
    app.installEventFilter(&paints);
    measureWindowLoad<frmG1>(world, "プラマイ window load (10,000 history lines)", paints);
    measureWindowLoad<frmG2>(world, "しりとり window load (+100,000 words)", paints);
    measurePlamaiKeys(world, paints);
    measureShiritoriKeys(world, words, paints);
    // The window's play may have learned words: the play alone starts from the same file.
    TextFile::writeLines(dictionary, words);
    measureShiritoriJudging(world, words);
    std::printf("games peak %ld KB\n", peakKilobytes());
    return 0;
}

} // namespace kotohana::bench
