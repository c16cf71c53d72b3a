#include "GameWindow.h"

#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/HelpTour.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramState.h"
#include "platform/Services.h"
#include "records/PlayRecordFile.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Picture.h"
#include "ui/Shape.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr quint32 kLitChart = 0xFFFFC0;
constexpr quint32 kWholeListing = 0xC0FFFF;
constexpr int kBarWidth = 420;

const QString kTimeMode = QStringLiteral("秒数");
const QString kCountMode = QStringLiteral("答数");

QLabel *valueLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(64);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMargin(2);
    QFont font = label->font();
    font.setPointSize(12);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

GameWindow::GameWindow(const Services &services, ProgramState &state, GameDefinition definition, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_state(state)
    , m_definition(std::move(definition))
    , m_settingsFile(services.folder.path(m_definition.settingsFileName()), m_definition.modeNames)
    , m_historyFile(services.folder.path(m_definition.historyFileName()), m_definition.history)
{
    setObjectName(QString::fromLatin1(m_definition.objectName));
    setWindowTitle(m_definition.title);
    resize(1180, 780);

    tmrStart = new QTimer(this);
    tmrStart->setObjectName(QStringLiteral("tmrStart"));
    tmrStart->setInterval(1000);
    tmrBp = new QTimer(this);
    tmrBp->setObjectName(QStringLiteral("tmrBp"));
    tmrBp->setInterval(1000);
    tmrPlay = new QTimer(this);
    tmrPlay->setObjectName(QStringLiteral("tmrPlay"));
    tmrPlay->setInterval(50);
    connect(tmrStart, &QTimer::timeout, this, &GameWindow::tmrStart_Timer);
    connect(tmrBp, &QTimer::timeout, this, &GameWindow::tmrBp_Timer);
    connect(tmrPlay, &QTimer::timeout, this, &GameWindow::tmrPlay_Timer);

    buildLayout();
}

void GameWindow::buildLayout()
{
    const auto tip = [this](QPushButton *button, const char *text) {
        if (m_definition.buttonToolTips)
            button->setToolTip(QString::fromUtf8(text));
    };

    m_playArea = new QWidget(this);
    m_playArea->setObjectName(QStringLiteral("fraPlay"));
    m_playArea->setMinimumHeight(120);

    auto *countdown = new QWidget(this);
    auto *pictures = new QGridLayout(countdown);
    pictures->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        imgStart[std::size_t(i)] = new Picture(QStringLiteral(":/images/countdown_%1.svg").arg(i + 1), countdown);
        imgStart[std::size_t(i)]->setObjectName(QStringLiteral("imgStart%1").arg(i + 1));
        imgStart[std::size_t(i)]->setFixedSize(110, 110);
        imgStart[std::size_t(i)]->hide();
        pictures->addWidget(imgStart[std::size_t(i)], 0, 0);
    }
    countdown->setFixedSize(110, 110);

    auto *top = new QHBoxLayout;
    top->addWidget(m_playArea, 1);
    top->addWidget(countdown, 0, Qt::AlignTop);

    lblJikan = valueLabel("lblJikan", this);
    auto *barHolder = new QWidget(this);
    barHolder->setFixedSize(kBarWidth, 20);
    shpJikanK = new Shape(Shape::Kind::Rectangle, barHolder);
    shpJikanK->setObjectName(QStringLiteral("shpJikanK"));
    shpJikanK->setFillColor(QColor(110, 170, 230));
    shpJikanK->setGeometry(0, 0, kBarWidth, 20);
    auto *clockRow = new QHBoxLayout;
    clockRow->addWidget(new QLabel(QStringLiteral("時間"), this));
    clockRow->addWidget(lblJikan);
    clockRow->addWidget(barHolder);
    clockRow->addStretch(1);

    lblMoji_T = valueLabel("lblMoji_T", this);
    lblOk = valueLabel("lblOk", this);
    lblNg = valueLabel("lblNg", this);
    lblRitu = valueLabel("lblRitu", this);
    lblByou = valueLabel("lblByou", this);
    lblByou->setMinimumWidth(100);
    auto *results = new QHBoxLayout;
    const std::pair<const char16_t *, QLabel *> resultLabels[] = {
        {u"解答数", lblMoji_T}, {u"正解", lblOk}, {u"不正解", lblNg}, {u"正解率", lblRitu}, {u"タイプ数／秒", lblByou}};
    for (const auto &[caption, label] : resultLabels) {
        auto *captionLabel = new QLabel(QString::fromUtf16(caption), this);
        m_resultCaptions[label->objectName()] = captionLabel;
        results->addWidget(captionLabel);
        results->addWidget(label);
        results->addSpacing(8);
    }
    results->addStretch(1);

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
    cmdEnd = new QPushButton(QStringLiteral("戻り"), this);
    cmdEnd->setObjectName(QStringLiteral("cmdEnd"));
    tip(cmdEnd, "プログラムを終了します");
    cmdEnd->setMinimumWidth(110);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdHozon);
    buttons->addWidget(chkAs);
    buttons->addStretch(1);
    buttons->addWidget(cmdEnd);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildSettingsFrame(), 0, Qt::AlignTop);
    bottom->addWidget(buildHistoryFrame(), 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(clockRow);
    layout->addLayout(results);
    layout->addLayout(buttons);
    layout->addLayout(bottom, 1);

    connect(cmdStart, &QPushButton::clicked, this, &GameWindow::cmdStart_Click);
    connect(cmdHozon, &QPushButton::clicked, this, &GameWindow::cmdHozon_Click);
    connect(chkAs, &QCheckBox::clicked, this, &GameWindow::chkAs_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &GameWindow::cmdEnd_Click);
}

QWidget *GameWindow::buildSettingsFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("ゲーム設定"), this);
    frame->setObjectName(QStringLiteral("fraSettei"));
    optMode[1] = new QRadioButton(kTimeMode, frame);
    optMode[1]->setObjectName(QStringLiteral("optMode1"));
    optMode[0] = new QRadioButton(kCountMode, frame);
    optMode[0]->setObjectName(QStringLiteral("optMode0"));
    m_optMode = new QButtonGroup(this);
    m_optMode->addButton(optMode[1], 1);
    m_optMode->addButton(optMode[0], 0);
    cboJikan = new QComboBox(frame);
    cboJikan->setObjectName(QStringLiteral("cboJikan"));
    cboKaisu = new QComboBox(frame);
    cboKaisu->setObjectName(QStringLiteral("cboKaisu"));

    auto *grid = new QGridLayout(frame);
    grid->addWidget(optMode[1], 0, 0);
    grid->addWidget(cboJikan, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("秒"), frame), 0, 2);
    grid->addWidget(optMode[0], 1, 0);
    grid->addWidget(cboKaisu, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("問"), frame), 1, 2);
    if (!m_definition.modeNames.isEmpty()) {
        m_modeList = new QComboBox(frame);
        m_modeList->setObjectName(QString::fromLatin1(m_definition.modeListName));
        grid->addWidget(new QLabel(QStringLiteral("モード"), frame), 2, 0);
        grid->addWidget(m_modeList, 2, 1, 1, 2);
        connect(m_modeList, &QComboBox::activated, this, &GameWindow::modeList_Click);
    }

    connect(m_optMode, &QButtonGroup::idClicked, this, &GameWindow::optMode_Click);
    connect(cboJikan, &QComboBox::activated, this, &GameWindow::cboJikan_Click);
    connect(cboKaisu, &QComboBox::activated, this, &GameWindow::cboKaisu_Click);
    return frame;
}

QWidget *GameWindow::buildHistoryFrame()
{
    auto *holder = new QWidget(this);

    auto *filters = new QGroupBox(QStringLiteral("履歴指定"), holder);
    auto *filterRow = new QHBoxLayout(filters);
    if (!m_definition.modeNames.isEmpty()) {
        m_modeTwin = new QComboBox(filters);
        m_modeTwin->setObjectName(QString::fromLatin1(m_definition.modeTwinName));
        filterRow->addWidget(new QLabel(QStringLiteral("モード"), filters));
        filterRow->addWidget(m_modeTwin);
        connect(m_modeTwin, &QComboBox::activated, this, &GameWindow::modeTwin_Click);
    }
    cboJikan2 = new QComboBox(filters);
    cboJikan2->setObjectName(QStringLiteral("cboJikan2"));
    cboKaisu2 = new QComboBox(filters);
    cboKaisu2->setObjectName(QStringLiteral("cboKaisu2"));
    filterRow->addWidget(new QLabel(kTimeMode, filters));
    filterRow->addWidget(cboJikan2);
    filterRow->addWidget(new QLabel(kCountMode, filters));
    filterRow->addWidget(cboKaisu2);
    cmdAllDsp = new ColorButton(QStringLiteral("全部表示"), filters);
    cmdAllDsp->setObjectName(QStringLiteral("cmdAllDsp"));
    cmdClear = new QPushButton(QStringLiteral("クリア"), filters);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    if (m_definition.buttonToolTips)
        cmdClear->setToolTip(QStringLiteral("履歴データをクリアします"));
    filterRow->addWidget(cmdAllDsp);
    filterRow->addStretch(1);
    filterRow->addWidget(cmdClear);
    connect(cboJikan2, &QComboBox::activated, this, &GameWindow::cboJikan2_Click);
    connect(cboKaisu2, &QComboBox::activated, this, &GameWindow::cboKaisu2_Click);
    connect(cmdAllDsp, &QPushButton::clicked, this, &GameWindow::cmdAllDsp_Click);
    connect(cmdClear, &QPushButton::clicked, this, &GameWindow::cmdClear_Click);

    auto *chartFrame = new QGroupBox(QStringLiteral("グラフ指定"), holder);
    auto *chartRow = new QHBoxLayout(chartFrame);
    for (std::size_t i = 0; i < m_definition.charts.size(); ++i) {
        const GameDefinition::ChartButton &spec = m_definition.charts[i];
        auto *button = new ColorButton(spec.caption, chartFrame);
        button->setObjectName(QString::fromLatin1(spec.objectName));
        chartRow->addWidget(button);
        m_chartButtons.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, i] { chart_Click(int(i)); });
    }
    chartRow->addStretch(1);

    msgRireki = new Grid(holder);
    msgRireki->setObjectName(QStringLiteral("msgRireki"));
    mcrRireki = new Chart(holder);
    mcrRireki->setObjectName(QStringLiteral("mcrRireki"));
    mcrRireki2 = new Chart(holder);
    mcrRireki2->setObjectName(QStringLiteral("mcrRireki2"));
    mcrRireki2->setSeriesCount(2);
    mcrRireki2->hide();

    auto *lists = new QHBoxLayout;
    lists->addWidget(msgRireki, 5);
    auto *charts = new QGridLayout;
    charts->addWidget(mcrRireki, 0, 0);
    charts->addWidget(mcrRireki2, 0, 0);
    lists->addLayout(charts, 3);

    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frames = new QHBoxLayout;
    frames->addWidget(filters, 3);
    frames->addWidget(chartFrame, 2);
    layout->addLayout(frames);
    layout->addLayout(lists, 1);
    return holder;
}

void GameWindow::fillLists()
{
    QStringList seconds;
    for (int s = 10; s <= 180; s += 5)
        seconds.append(QString::number(s));
    QStringList answers;
    for (int a = 1; a <= 100; ++a)
        answers.append(QString::number(a));
    for (QComboBox *list : {cboJikan, cboJikan2}) {
        list->clear();
        list->addItems(seconds);
    }
    for (QComboBox *list : {cboKaisu, cboKaisu2}) {
        list->clear();
        list->addItems(answers);
    }
    for (QComboBox *list : {m_modeList, m_modeTwin}) {
        if (list) {
            list->clear();
            list->addItems(m_definition.modeNames);
        }
    }
}

void GameWindow::Form_Load()
{
    m_loading = true;
    // A window left during a countdown or a play opens again in Idle.
    m_cycle = PlayCycle();
    fillLists();
    cmdAllDsp_Click();
    m_settings = m_settingsFile.load();
    chkAs->setChecked(m_settings.autoSave != 0);
    showSaveMode();
    applySettings();
    m_barWidth = kBarWidth;
    for (QLabel *label : {lblMoji_T, lblOk, lblNg, lblByou, lblRitu, lblJikan})
        label->clear();
    for (Picture *picture : imgStart)
        picture->hide();
    cmdStart->setEnabled(true);
    setSettingsEnabled(true);
    tmrStart->start();
    tmrBp->start();
    tmrPlay->stop();
    loaded();
    m_loading = false;

    show();
    QCoreApplication::processEvents();
    m_state.helpTourMessage = helpText();
    ShowHelpTour(m_state, m_services.messages);
}

void GameWindow::applySettings()
{
    cboJikan->setCurrentText(QString::number(m_settings.seconds));
    cboKaisu->setCurrentText(QString::number(m_settings.answers));
    if (m_modeList) {
        m_modeList->setCurrentText(m_settings.modeName);
        modeChanged();
    }
    if (optMode[1]->text() == m_settings.timingName) {
        optMode[1]->setChecked(true);
        optMode_Click(1);
    }
    if (optMode[0]->text() == m_settings.timingName) {
        optMode[0]->setChecked(true);
        optMode_Click(0);
    }
}

void GameWindow::saveSettings()
{
    if (m_loading)
        return; // the load only shows what the file holds
    const FileResult saved = m_settingsFile.save(m_settings);
    if (!saved.ok())
        m_services.messages.critical(saved.message, QStringLiteral("保存できません"));
}

void GameWindow::optMode_Click(int index)
{
    cboJikan->setEnabled(index == 1);
    cboKaisu->setEnabled(index == 0);
    m_state.timingMode = index;
    m_settings.timingName = optMode[std::size_t(index)]->text();
    saveSettings();
}

void GameWindow::cboJikan_Click()
{
    m_settings.seconds = int(Formats::numericValue(cboJikan->currentText()));
    saveSettings();
}

void GameWindow::cboKaisu_Click()
{
    m_settings.answers = int(Formats::numericValue(cboKaisu->currentText()));
    saveSettings();
}

void GameWindow::modeList_Click()
{
    m_settings.modeName = m_modeList->currentText();
    saveSettings();
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
    chkAs->setText(automatic ? QString() : QStringLiteral("手動保存モード"));
}

QString GameWindow::modeText() const
{
    return m_modeList ? m_modeList->currentText() : QString();
}

QLabel *GameWindow::resultLabel(const char *name) const
{
    return findChild<QLabel *>(QString::fromLatin1(name));
}

void GameWindow::setSettingsEnabled(bool enabled)
{
    // A play keeps the mode and limits it started with, and shows it by locking them.
    optMode[0]->setEnabled(enabled);
    optMode[1]->setEnabled(enabled);
    cboJikan->setEnabled(enabled && m_state.timingMode == 1);
    cboKaisu->setEnabled(enabled && m_state.timingMode == 0);
}

void GameWindow::cmdStart_Click()
{
    if (!canStart())
        return;
    const auto mode = m_state.timingMode == 1 ? TimingMode::Time : TimingMode::Count;
    m_cycle.start(mode, int(Formats::numericValue(cboJikan->currentText())),
                  int(Formats::numericValue(cboKaisu->currentText())));
    shpJikanK->setFixedWidth(m_barWidth);
    resetQuestion();
    for (QLabel *label : {lblOk, lblNg, lblByou, lblRitu})
        label->clear();
    for (QLabel *label : {lblMoji_T, lblOk, lblNg})
        label->setText(QStringLiteral("0"));
    lblJikan->setText(mode == TimingMode::Time ? cboJikan->currentText() : QStringLiteral("0.0"));
    cmdStart->setEnabled(false);
    setSettingsEnabled(false);
}

void GameWindow::tmrStart_Timer()
{
    const int step = m_cycle.countdownTick(m_services.clock.monotonicMilliseconds());
    if (step == 0)
        return;
    for (Picture *picture : imgStart)
        picture->hide();
    imgStart[std::size_t(step - 1)]->show();
    if (step < 3)
        return;
    firstQuestion();
    if (m_cycle.mode() == TimingMode::Count)
        tmrPlay->start();
}

void GameWindow::tmrBp_Timer()
{
    const std::optional<PlayCycle::TimeReading> reading = m_cycle.timeTick(m_services.clock.monotonicMilliseconds());
    if (!reading)
        return;
    lblJikan->setText(QString::number(reading->restSeconds));
    shpJikanK->setFixedWidth(int(reading->barFraction * 100 * m_barWidth / 100));
    if (reading->ended)
        endPlay();
}

void GameWindow::tmrPlay_Timer()
{
    if (const std::optional<QString> elapsed = m_cycle.countTick(m_services.clock.monotonicMilliseconds()))
        lblJikan->setText(*elapsed);
}

void GameWindow::showCounts()
{
    lblOk->setText(QString::number(m_cycle.correct()));
    lblNg->setText(QString::number(m_cycle.wrong()));
    lblMoji_T->setText(QString::number(m_cycle.answers()));
}

QString GameWindow::historyCell(int column, const QString &field) const
{
    Q_UNUSED(column);
    return field;
}

void GameWindow::setResultCaption(const char *label, const QString &caption)
{
    const auto found = m_resultCaptions.find(QString::fromLatin1(label));
    if (found != m_resultCaptions.end())
        found->second->setText(caption);
}

bool GameWindow::answerJudged(bool correct)
{
    const bool ended = m_cycle.answer(correct);
    showCounts();
    if (showsRateEachAnswer())
        lblRitu->setText(Formats::percent(m_cycle.correctRate()));
    if (ended)
        endPlay();
    return ended;
}

void GameWindow::endPlay()
{
    tmrPlay->stop();
    cmdStart->setEnabled(true);
    setSettingsEnabled(true);
    msgRireki->setFocus();
    lblByou->setText(Formats::perSecond(m_cycle.speed(speedCount())));
    lblRitu->setText(Formats::percent(m_cycle.correctRate()));
    if (chkAs->isChecked())
        cmdHozon_Click();
    playEnded();
}

void GameWindow::answerOutsidePlay(QWidget *answerBox)
{
    if (auto *box = qobject_cast<QLineEdit *>(answerBox))
        box->clear();
    if (cmdStart->isEnabled())
        cmdStart->setFocus();
}

GameWindow::PlayResult GameWindow::result() const
{
    const bool time = m_cycle.mode() == TimingMode::Time;
    return PlayResult{m_cycle,
                      m_cycle.playSeconds(),
                      QString::number(time ? m_cycle.limitSeconds() : m_cycle.limitAnswers()),
                      time ? kTimeMode : kCountMode,
                      modeText(),
                      m_cycle.speed(speedCount())};
}

void GameWindow::cmdHozon_Click()
{
    if (!m_cycle.canSave())
        return;
    const PlayResult play = result();
    const HistoryRow fields = historyFields(play);

    const int row = msgRireki->rows();
    msgRireki->setRows(row + 1);
    msgRireki->setTextMatrix(row, 0, QString::number(row));
    msgRireki->setTextMatrix(row, 1, historyCell(1, Formats::date(m_services.clock.today())));
    msgRireki->setTextMatrix(row, 2, historyCell(2, Formats::time(m_services.clock.timeOfDay())));
    for (qsizetype i = 0; i < fields.size(); ++i)
        msgRireki->setTextMatrix(row, int(i) + 3, fields[i]);
    if (msgRireki->rows() > 7)
        msgRireki->setTopRow(msgRireki->rows() - 1);

    const QDateTime now = m_services.clock.now();
    const FileResult history =
        m_historyFile.append(HistoryRow{Formats::date(now.date()), Formats::time(now.time())} + fields);
    const FileResult record = PlayRecordFile(m_services.folder.path(PlayRecordFile::kFileName))
                                  .append(PlayRecord{Formats::date(now.date()), Formats::time(now.time()),
                                                     m_definition.name, float(play.seconds), recordText(play)});
    for (const FileResult *result : {&history, &record}) {
        if (!result->ok())
            m_services.messages.critical(result->message, QStringLiteral("保存できません"));
    }
    RefreshHistoryChart();
}

void GameWindow::cmdEnd_Click()
{
    tmrStart->stop();
    tmrBp->stop();
    tmrPlay->stop();
    Q_EMIT returnToMain();
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    // The window's own close box takes the way "戻り" takes.
    event->ignore();
    cmdEnd_Click();
}

void GameWindow::SetupHistoryGrid()
{
    msgRireki->setRows(1);
    msgRireki->setCols(int(m_definition.columns.size()));
    msgRireki->setFontSize(11);
    for (std::size_t c = 0; c < m_definition.columns.size(); ++c) {
        const GameDefinition::Column &column = m_definition.columns[c];
        msgRireki->setTextMatrix(0, int(c), column.heading);
        msgRireki->setColWidth(int(c), column.twips);
        msgRireki->setColAlignment(int(c), column.align);
        msgRireki->setFixedAlignment(int(c), Grid::Align::Center);
    }
}

void GameWindow::listHistory(const HistoryFilter &filter, bool whole)
{
    msgRireki->hide();
    SetupHistoryGrid();
    int row = 0;
    for (const HistoryRow &line : m_historyFile.readAll()) {
        if (!matches(m_definition.history, line, filter))
            continue;
        ++row;
        msgRireki->setRows(row + 1);
        msgRireki->setTextMatrix(row, 0, QString::number(row));
        for (qsizetype i = 0; i < line.size(); ++i)
            msgRireki->setTextMatrix(row, int(i) + 1, historyCell(int(i) + 1, line[i]));
    }
    if (msgRireki->rows() > 7)
        msgRireki->setTopRow(msgRireki->rows() - 1);
    msgRireki->show();
    cmdAllDsp->setBackColor(windowsColor(whole ? kWholeListing : kButtonFace));
    RefreshHistoryChart();
}

void GameWindow::cmdAllDsp_Click()
{
    for (QComboBox *list : {cboKaisu2, cboJikan2, m_modeTwin}) {
        if (list)
            list->setCurrentIndex(-1);
    }
    listHistory({}, true);
}

void GameWindow::modeTwin_Click()
{
    cboKaisu2->setCurrentIndex(-1);
    cboJikan2->setCurrentIndex(-1);
    listHistory({m_modeTwin->currentText(), {}, {}}, false);
}

void GameWindow::cboJikan2_Click()
{
    if (m_modeTwin && m_modeTwin->currentText().isEmpty()) {
        m_services.messages.warning(QStringLiteral("先にモードを選んでください"), QStringLiteral("モード選択"));
        cboJikan2->setCurrentIndex(-1);
        return;
    }
    cboKaisu2->setCurrentIndex(-1);
    listHistory({m_modeTwin ? m_modeTwin->currentText() : QString(), cboJikan2->currentText(), {}}, false);
}

void GameWindow::cboKaisu2_Click()
{
    if (m_modeTwin && m_modeTwin->currentText().isEmpty()) {
        m_services.messages.warning(QStringLiteral("先にモードを選んでください"), QStringLiteral("モード選択"));
        cboKaisu2->setCurrentIndex(-1);
        return;
    }
    cboJikan2->setCurrentIndex(-1);
    listHistory({m_modeTwin ? m_modeTwin->currentText() : QString(), {}, cboKaisu2->currentText()}, false);
}

void GameWindow::ResetChartButtons()
{
    for (ColorButton *button : m_chartButtons)
        button->setBackColor(windowsColor(kButtonFace));
}

void GameWindow::chart_Click(int button)
{
    const GameDefinition::ChartButton &spec = m_definition.charts[std::size_t(button)];
    ResetChartButtons();
    const int seriesCount = spec.thirdColumn >= 0 ? 3 : spec.secondColumn >= 0 ? 2 : 1;
    Chart *chart = seriesCount > 1 ? mcrRireki2 : mcrRireki;
    mcrRireki->setVisible(seriesCount == 1);
    mcrRireki2->setVisible(seriesCount > 1);
    if (seriesCount > 1) {
        mcrRireki2->setSeriesCount(seriesCount);
        for (int series = 1; series <= seriesCount; ++series)
            mcrRireki2->setSeriesName(series, spec.seriesNames.value(series - 1));
    }
    const int points = msgRireki->rows() - 1;
    chart->setPointCount(points);
    const int columns[] = {spec.column, spec.secondColumn, spec.thirdColumn};
    for (int series = 1; series <= seriesCount; ++series) {
        chart->setCurrentSeries(series);
        for (int i = 1; i <= points; ++i) {
            chart->setCurrentPoint(i);
            chart->setValueText(msgRireki->textMatrix(i, columns[series - 1]));
        }
    }
    m_chartButtons[std::size_t(button)]->setBackColor(windowsColor(kLitChart));
}

void GameWindow::RefreshHistoryChart()
{
    const QColor face = windowsColor(kButtonFace);
    for (std::size_t i = 0; i < m_chartButtons.size(); ++i) {
        if (m_chartButtons[i]->backColor() != face) {
            chart_Click(int(i));
            return;
        }
    }
}

void GameWindow::cmdClear_Click()
{
    if (!m_services.messages.confirm(QStringLiteral("履歴データをクリアします。よろしいですか？"),
                                     QStringLiteral("クリア確認")))
        return;
    const FileResult cleared = m_historyFile.clear();
    if (!cleared.ok()) {
        m_services.messages.critical(cleared.message, QStringLiteral("クリアできません"));
        return;
    }
    msgRireki->setRows(1);
    m_services.messages.information(QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"));
}

} // namespace kotohana
