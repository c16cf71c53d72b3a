#include "GameWindow.h"

#include "HistoryPanel.h"
#include "PersonalBest.h"
#include "PlayDisplay.h"
#include "ProgramState.h"
#include "SavePlay.h"
#include "SettingsPanel.h"

#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/MessageBoxes.h"
#include "records/Services.h"
#include "ui/Grid.h"
#include "ui/Keys.h"
#include "ui/ScreenFit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kotohana {
namespace {

QTimer *timer(const char *name, int interval, QObject *parent)
{
    auto *result = new QTimer(parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setInterval(interval);
    return result;
}

} // namespace

GameWindow::GameWindow(const Services &services, ProgramState &state, GameDefinition definition, QWidget *parent)
    : QWidget(parent)
    , m_boxes(services.messages,
              [this] {
                  if (m_returnDue)
                      QMetaObject::invokeMethod(this, &GameWindow::cmdEnd_Click, Qt::QueuedConnection);
              })
    , m_services{services.clock, services.random, m_boxes, services.folder, services.records}
    , m_state(state)
    , m_definition(std::move(definition))
    , m_settingsFile(services.folder.path(m_definition.game.settingsFileName()), m_definition.modeNames)
    , m_historyFile(services.folder.path(m_definition.game.historyFileName()), m_definition.history)
{
    setObjectName(QString::fromLatin1(m_definition.game.objectName));
    setWindowTitle(m_definition.game.title());
    resize(1180, 780);
    showFocusAlways(*this);

    tmrStart = timer("tmrStart", 1000, this);
    tmrBp = timer("tmrBp", 1000, this);
    tmrPlay = timer("tmrPlay", 50, this);
    connect(tmrStart, &QTimer::timeout, this, &GameWindow::tmrStart_Timer);
    connect(tmrBp, &QTimer::timeout, this, &GameWindow::tmrBp_Timer);
    connect(tmrPlay, &QTimer::timeout, this, &GameWindow::tmrPlay_Timer);

    buildLayout();
}

GameWindow::~GameWindow() = default;

void GameWindow::buildLayout()
{
    const auto tip = [this](QPushButton *button, const char *text) {
        if (m_definition.buttonToolTips)
            button->setToolTip(QString::fromUtf8(text));
    };

    m_playArea = new QWidget(this);
    m_playArea->setObjectName(QStringLiteral("fraPlay"));

    m_countdown = new CountdownPictures(this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_playArea, 1);
    top->addWidget(m_countdown, 0, Qt::AlignTop);
    m_display = new PlayDisplay(this);

    cmdStart = new QPushButton(QStringLiteral("スタート"), this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    tip(cmdStart, "ゲームをスタートします");
    cmdStart->setMinimumSize(140, 40);
    QFont startFont = cmdStart->font();
    startFont.setPointSize(13);
    startFont.setBold(true);
    cmdStart->setFont(startFont);
    cmdHozon = new QPushButton(QStringLiteral("保存"), this);
    cmdHozon->setObjectName(QStringLiteral("cmdHozon"));
    tip(cmdHozon, "データを保存します");
    chkAs = new QCheckBox(this);
    chkAs->setObjectName(QStringLiteral("chkAs"));
    chkAs->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
    // Its caption names the mode it is in; its name says what ticking it does.
    chkAs->setAccessibleName(QStringLiteral("履歴の自動保存"));
    cmdEnd = new QPushButton(QStringLiteral("戻り"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    tip(cmdEnd, "プログラムを終了します");
    // Esc belongs to the games (it shows the answer in バラバラ and 四熟虫喰); this key leaves.
    cmdEnd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    cmdEnd->setMinimumWidth(110);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdHozon);
    buttons->addWidget(chkAs);
    buttons->addStretch(1);
    buttons->addWidget(cmdEnd);

    m_settingsPanel = new SettingsPanel(m_definition, this);
    m_history = new HistoryPanel(m_definition, m_historyFile, m_services.messages, this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_settingsPanel, 0, Qt::AlignTop);
    bottom->addWidget(m_history, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_display);
    layout->addLayout(buttons);
    layout->addLayout(bottom, 1);

    connect(cmdStart, &QPushButton::clicked, this, &GameWindow::cmdStart_Click);
    connect(cmdHozon, &QPushButton::clicked, this, &GameWindow::cmdHozon_Click);
    // Any change of the box counts, however it is made: mouse, keyboard or accessibility.
    connect(chkAs, &QCheckBox::toggled, this, &GameWindow::chkAs_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &GameWindow::cmdEnd_Click);
    connect(m_settingsPanel, &SettingsPanel::timingChanged, this, &GameWindow::optMode_Click);
    connect(m_settingsPanel, &SettingsPanel::secondsChanged, this, &GameWindow::cboJikan_Click);
    connect(m_settingsPanel, &SettingsPanel::answersChanged, this, &GameWindow::cboKaisu_Click);
    connect(m_settingsPanel, &SettingsPanel::modeChanged, this, &GameWindow::modeList_Click);
}

void GameWindow::Form_Load()
{
    m_loading = true;
    // A window left during a countdown or a play opens again in Idle; a finished play stays
    // savable, as the counters it left behind do.
    if (m_play && m_play->cycle().running())
        m_play.reset();
    m_history->cmdAllDsp_Click();
    const GameSettingsFile::LoadResult stored = m_settingsFile.load();
    m_settings = stored.settings;
    chkAs->setChecked(m_settings.autoSave != 0);
    showSaveMode();
    m_settingsPanel->showSettings(m_settings);
    m_settingsPanel->setPlaying(false);
    m_state.timingMode = int(m_settingsPanel->timing());
    modeChanged();
    m_display->clear();
    m_countdown->showStep(0);
    cmdStart->setEnabled(true);
    tmrStart->start();
    tmrBp->start();
    tmrPlay->stop();
    loaded();
    m_loading = false;

    fitToScreen(*this);
    show();
    Q_EMIT opened();
    QCoreApplication::processEvents();
    if (!stored.message.isEmpty())
        m_services.messages.warning(stored.message, QStringLiteral("設定"));
    m_state.helpTourMessage = helpText();
    Q_EMIT helpTourDue();
}

QString GameWindow::helpText() const
{
    QFile file(QStringLiteral(":/help/games/%1.txt").arg(QString::fromLatin1(m_definition.game.objectName)));
    [[maybe_unused]] const bool opened = file.open(QIODevice::ReadOnly);
    Q_ASSERT(opened); // every game's text is built into the program
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

void GameWindow::saveSettings()
{
    if (m_loading)
        return; // the load only shows what the file holds
    const FileResult saved = m_settingsFile.save(m_settings);
    if (!saved.ok())
        m_services.messages.critical(saved.message, QStringLiteral("保存できません"));
}

void GameWindow::optMode_Click()
{
    m_state.timingMode = int(m_settingsPanel->timing());
    m_settings.timingName = m_settingsPanel->timingName();
    saveSettings();
}

void GameWindow::cboJikan_Click()
{
    m_settings.seconds = m_settingsPanel->seconds();
    saveSettings();
}

void GameWindow::cboKaisu_Click()
{
    m_settings.answers = m_settingsPanel->answers();
    saveSettings();
}

void GameWindow::modeList_Click()
{
    m_settings.modeName = m_settingsPanel->modeText();
    saveSettings();
    if (m_play)
        m_play->changeMode(m_settings.modeName);
    modeChanged();
}

void GameWindow::chkAs_Click()
{
    m_settings.autoSave = chkAs->isChecked() ? 1 : 0;
    saveSettings();
    showSaveMode();
}

void GameWindow::showSaveMode()
{
    const bool automatic = chkAs->isChecked();
    cmdHozon->setEnabled(!automatic);
    // The caption names the mode the box sets, in both states: a box without one leaves a
    // sighted user guessing what it does.
    chkAs->setText(automatic ? QStringLiteral("自動保存モード") : QStringLiteral("手動保存モード"));
}

QString GameWindow::modeText() const
{
    return m_settingsPanel->modeText();
}

QLabel *GameWindow::resultLabel(ResultLabel which) const
{
    return m_display->label(which);
}

void GameWindow::cmdStart_Click()
{
    if (!running())
        startPlay(startSetup());
}

PlaySetup GameWindow::shownSetup() const
{
    PlaySetup setup;
    setup.timing = m_settingsPanel->timing();
    setup.seconds = m_settingsPanel->seconds();
    setup.answers = m_settingsPanel->answers();
    setup.mode = m_settingsPanel->modeText();
    return setup;
}

void GameWindow::startPlay(const PlaySetup &setup)
{
    if (running())
        return;
    std::unique_ptr<Play> play = makePlay(setup);
    if (!play)
        return;
    m_play = std::move(play);
    // The plays to beat are found now, during the countdown, not at the last answer: going
    // through a long history then would hold up the keystroke that ends the play. The play
    // may end in any mode of the list, so each mode's best is found.
    {
        const HistoryFile::ReadResult earlier = m_historyFile.readAll();
        m_bests = earlier.ok ? BestsToBeat(m_play->setup(), m_definition.modeNames, m_definition.history, earlier.rows)
                             : BestsToBeat();
    }
    m_display->setBarWidth(PlayDisplay::kBarWidth);
    m_display->showBest(false);
    resetQuestion();
    for (ResultLabel label : {ResultLabel::Speed, ResultLabel::Rate})
        resultLabel(label)->clear();
    showCounts();
    const PlaySetup &started = m_play->setup();
    resultLabel(ResultLabel::Clock)
        ->setText(started.timing == TimingMode::Time ? QString::number(started.seconds) : QStringLiteral("0.0"));
    cmdStart->setEnabled(false);
    m_settingsPanel->setPlaying(true);
}

void GameWindow::tmrStart_Timer()
{
    if (!m_play)
        return;
    const int step = m_play->cycle().countdownTick(m_services.clock.monotonicMilliseconds());
    if (step == 0)
        return;
    m_countdown->showStep(step);
    if (step < 3)
        return;
    firstQuestion();
    if (m_play->setup().timing == TimingMode::Count)
        tmrPlay->start();
}

void GameWindow::tmrBp_Timer()
{
    if (!m_play)
        return;
    const std::optional<PlayCycle::TimeReading> reading = m_play->cycle().timeTick(m_services.clock.monotonicMilliseconds());
    if (!reading)
        return;
    resultLabel(ResultLabel::Clock)->setText(QString::number(reading->restSeconds));
    m_display->setBarWidth(int(reading->barFraction * 100 * PlayDisplay::kBarWidth / 100));
    if (reading->ended)
        endPlay();
}

void GameWindow::tmrPlay_Timer()
{
    if (!m_play)
        return;
    if (const std::optional<QString> elapsed = m_play->cycle().countTick(m_services.clock.monotonicMilliseconds()))
        resultLabel(ResultLabel::Clock)->setText(*elapsed);
}

void GameWindow::showCounts()
{
    const PlayCycle &cycle = m_play->cycle();
    resultLabel(ResultLabel::Correct)->setText(QString::number(cycle.correct()));
    resultLabel(ResultLabel::Wrong)->setText(QString::number(cycle.wrong()));
    resultLabel(ResultLabel::Answers)->setText(QString::number(cycle.answers()));
}

void GameWindow::setResultCaption(ResultLabel which, const QString &caption)
{
    m_display->setCaption(which, caption);
}

void GameWindow::showOutcome(const Outcome &outcome)
{
    if (!outcome.message.isEmpty())
        m_services.messages.critical(outcome.message, outcome.title);
    if (!outcome.counted)
        return;
    showCounts();
    if (showsRateEachAnswer())
        resultLabel(ResultLabel::Rate)->setText(Formats::percent(m_play->cycle().correctRate()));
    if (outcome.ended)
        endPlay();
}

void GameWindow::endPlay()
{
    tmrPlay->stop();
    cmdStart->setEnabled(true);
    m_settingsPanel->setPlaying(false);
    resultLabel(ResultLabel::Speed)->setText(Formats::perSecond(m_play->speed()));
    if (!showsRateEachAnswer()) // otherwise it stands as the last answer left it
        resultLabel(ResultLabel::Rate)->setText(m_play->endRate());
    // Judged against the history as it was when the play started, before this play joins it,
    // under the mode the play ended in, which it is saved under. A history that cannot be read
    // says so in its list; here it only means no best is shown.
    m_display->showBest(beats(*m_play, m_definition.history, m_bests));
    if (chkAs->isChecked())
        cmdHozon_Click();
    // The focus leaves the spent answer box, which no play takes keys for, for the history
    // list on its newest row (the play just saved, when saving is automatic). The list does
    // not move under the letters of a last answer typed as the play ends.
    Grid *list = m_history->list();
    list->setRow(list->rows() - 1);
    list->setFocus(Qt::OtherFocusReason);
    playEnded();
}

void GameWindow::answerOutsidePlay(QWidget *answerBox)
{
    if (auto *box = qobject_cast<QLineEdit *>(answerBox))
        box->clear();
    if (cmdStart->isEnabled())
        cmdStart->setFocus();
}

void GameWindow::cmdHozon_Click()
{
    if (!m_play || !m_play->canSave())
        return;
    const SaveTarget target{m_definition.game.name(), m_historyFile, m_services.records};
    const SavedPlay saved = savePlay(*m_play, target, m_services.clock.now());
    if (!saved.result.ok()) {
        m_services.messages.critical(saved.result.message, QStringLiteral("保存できません"));
        return;
    }
    m_history->addSaved(saved.line);
}

void GameWindow::cmdEnd_Click()
{
    // A box of one of this window's handlers is open (the button was pressed through an
    // assistive tool's action, which a box does not hold back): the window goes back once that
    // handler is done, never from under it.
    m_returnDue = m_boxes.anyOpen();
    if (m_returnDue)
        return;
    // Leaving in the middle of a play throws it away: the player says so first, whichever
    // way they leave (the button, its key or the window's close box).
    if (playing()
        && !m_services.messages.confirm(QStringLiteral("プレイを中断して戻ります。このプレイは保存されません。よろしいですか？"),
                                        QStringLiteral("戻り確認")))
        return;
    tmrStart->stop();
    tmrBp->stop();
    tmrPlay->stop();
    Q_EMIT returnToMain();
}

void GameWindow::keyPressEvent(QKeyEvent *event)
{
    if (!pressFocusedButton(*event))
        QWidget::keyPressEvent(event);
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    // The window's own close box takes the way "戻り" takes.
    event->ignore();
    cmdEnd_Click();
}

} // namespace kotohana
