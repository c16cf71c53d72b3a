#include "frmG5.h"

#include "RensouPlay.h"
#include "TopicFiles.h"
#include "TopicPanel.h"

#include "data/DeliveredFiles.h"
#include "games/common/HistoryPanel.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "records/Services.h"
#include "games/common/GameCatalog.h"
#include "ui/Caption.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kotohana {
namespace {

quint32 kindColour(RensouRules::Kind kind)
{
    switch (kind) {
    case RensouRules::Kind::New:
        return 0xC0FFC0;
    case RensouRules::Kind::Existing:
        return 0xC0FFFF;
    case RensouRules::Kind::Duplicate:
        break;
    }
    return 0xC0C0FF;
}

} // namespace

GameDefinition frmG5::definition()
{
    using namespace RensouField;
    GameDefinition game;
    game.game = RensouRules::game();
    game.shortDateTime = true;
    game.history = rensouHistory();
    // With no wrong answer there is no rate: "正解率" shows the new answers of each play and
    // "予備" all its answers.
    game.charts = GameDefinition::commonCharts({New, Existing, Duplicate}, Seconds, New, Speed);
    game.charts.front().seriesNames = {QStringLiteral("新規"), QStringLiteral("既存"), QStringLiteral("重複")};
    game.charts.push_back({"cmdMoji", QStringLiteral("字数"), {Characters}});
    game.charts.push_back({"cmdJisyo", QStringLiteral("予備"), {Answers}});
    return game;
}

frmG5::frmG5(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), parent)
{
    setResultCaption(ResultLabel::Correct, QStringLiteral("新規"));
    setResultCaption(ResultLabel::Wrong, QStringLiteral("重複"));

    auto *chooser = new QHBoxLayout;
    cboMondai = new QComboBox(playArea());
    cboMondai->setObjectName(QStringLiteral("cboMondai"));
    cboMondai->setAccessibleName(QStringLiteral("問題"));
    cboMondai->setMinimumWidth(220);
    cmdStart2 = new QPushButton(QStringLiteral("表示中の問いでゲームスタート"), playArea());
    cmdStart2->setObjectName(QStringLiteral("cmdStart2"));
    cmdSyousai = new QPushButton(QStringLiteral("履歴表示"), playArea());
    cmdSyousai->setObjectName(QStringLiteral("cmdSyousai"));
    cmdSyousai->setToolTip(QStringLiteral("履歴を表示します"));
    lblChu = new QLabel(QStringLiteral("0"), playArea());
    lblChu->setObjectName(QStringLiteral("lblChu"));
    // Boxed like the play's 新規 and 重複 counts.
    lblChu->setFrameShape(QFrame::StyledPanel);
    lblChu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblChu->setMargin(2);
    lblChu->setMinimumWidth(64);
    chooser->addWidget(caption(QStringLiteral("問題"), cboMondai));
    chooser->addWidget(cboMondai, 1);
    chooser->addWidget(cmdStart2);
    chooser->addWidget(cmdSyousai);
    underAnswer()->addLayout(chooser);
    // Under it, the topic's existing answers: how many, and whether the list shows them.
    optRendata = new QRadioButton(QStringLiteral("既存非表示"), playArea());
    optRendata->setObjectName(QStringLiteral("optRendata"));
    optRendata2 = new QRadioButton(QStringLiteral("既存表示"), playArea());
    optRendata2->setObjectName(QStringLiteral("optRendata2"));
    auto *existing = new QHBoxLayout;
    existing->addWidget(new QLabel(QStringLiteral("既存"), playArea()));
    existing->addWidget(lblChu);
    existing->addSpacing(12);
    existing->addWidget(optRendata);
    existing->addWidget(optRendata2);
    existing->addStretch(1);
    underAnswer()->addLayout(existing);

    // Right: this play's answers and, beside them, the topic's earlier ones, both as high as
    // the question, the answer box and the rows under them.
    auto *answers = new QWidget(playArea());
    auto *answerColumns = new QHBoxLayout(answers);
    answerColumns->setContentsMargins(0, 0, 0, 0);
    msgRireki2 = new Grid(answers);
    msgRireki2->setObjectName(QStringLiteral("msgRireki2"));
    msgRireki2->setAccessibleName(QStringLiteral("今回の回答"));
    lstRenData = new QListWidget(answers);
    lstRenData->setObjectName(QStringLiteral("lstRenData"));
    lstRenData->setAccessibleName(QStringLiteral("既存の回答"));
    // Hidden (既存非表示), the list keeps its room: showing it must not make the window's
    // layout jump and squeeze the history list.
    QSizePolicy keepRoom = lstRenData->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    lstRenData->setSizePolicy(keepRoom);
    answerColumns->addWidget(msgRireki2, 3);
    answerColumns->addWidget(lstRenData, 2);
    answers->setFixedWidth(380);
    setSidePanel(answers);
    // The answers take a little more height than the rows beside them, for the topic history
    // that stands over the whole play area. A fixed height: showing or hiding the earlier
    // answers moves nothing.
    answers->setFixedHeight(200);

    m_panel = new TopicPanel(services.folder, GameWindow::services().messages, playArea());

    connect(cboMondai, &QComboBox::activated, this, &frmG5::cboMondai_Click);
    // However the option is chosen: a click, the arrow keys or an assistive tool's action.
    connect(optRendata, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            optRendata_Click();
    });
    connect(optRendata2, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            optRendata2_Click();
    });
    connect(cmdStart2, &QPushButton::clicked, this, &frmG5::cmdStart2_Click);
    connect(cmdSyousai, &QPushButton::clicked, this, &frmG5::cmdSyousai_Click);
    // A running play keeps the answers it started with, and the list shows them.
    connect(m_panel, &TopicPanel::answersEmptied, this, [this] {
        if (!running())
            lstRenData->clear();
    });
    connect(history().list(), &Grid::clicked, this, &frmG5::msgRireki_Click);
}

QString frmG5::topic() const
{
    return cboMondai->currentText();
}

QStringList frmG5::offeredTopics()
{
    // The program's own files: a topic's files must never be one of them.
    const QStringList programFiles = deliveredFileNames() + GameCatalog::fileNames();
    QStringList topics;
    QStringList skipped;
    for (const QString &candidate : readDeliveredList(QString::fromUtf16(kTopicFile), RensouRules::game().name())) {
        const QString reason = RensouRules::skipReason(candidate, programFiles);
        if (reason.isEmpty())
            topics.append(candidate);
        else
            skipped.append(reason);
    }
    // One message for the whole list: a click for each skipped topic would never end on a long one.
    if (!skipped.isEmpty())
        services().messages.critical(RensouRules::skippedTopicsMessage(skipped), QStringLiteral("不正文字"));
    return topics;
}

void frmG5::loaded()
{
    const QStringList topics = offeredTopics();
    cboMondai->clear();
    cboMondai->addItems(topics);
    m_panel->setTopics(topics);
    cboMondai->setCurrentIndex(topics.isEmpty() ? -1 : 0);
    question()->setText(topic());
    optRendata->setChecked(true);
    optRendata_Click();
    answerBox()->clear();
    setAnswerColumns(*msgRireki2, 10, {{u"回", 380, Grid::Align::Right}, {u"回答", 1975, Grid::Align::Left}});
    lblChu->setText(QStringLiteral("0"));
    lockTopic(false);
}

void frmG5::lockTopic(bool locked)
{
    cboMondai->setEnabled(!locked);
    cmdStart2->setEnabled(!locked);
}

void frmG5::fillExisting(const QString &name)
{
    lstRenData->clear();
    if (name.isEmpty())
        return;
    const TopicFiles::Contents contents = TopicFiles(services().folder, name).open();
    if (!contents.ok())
        services().messages.critical(contents.failure, RensouRules::game().name());
    lstRenData->addItems(contents.answers);
}

void frmG5::cboMondai_Click()
{
    if (running())
        return;
    question()->setText(topic());
    fillExisting(topic());
    {
        const QSignalBlocker quiet(optRendata2);
        optRendata2->setChecked(true);
    }
    lstRenData->show();
    answerOutsidePlay(nullptr); // the focus goes to "スタート"
}

void frmG5::optRendata_Click()
{
    lstRenData->hide();
}

void frmG5::optRendata2_Click()
{
    if (!running())
        fillExisting(topic());
    lstRenData->show();
}

PlaySetup frmG5::startSetup()
{
    PlaySetup setup = shownSetup();
    if (cboMondai->count() > 0)
        setup.topic = cboMondai->itemText(RensouRules::drawTopic(services().random, cboMondai->count()));
    return setup;
}

void frmG5::cmdStart2_Click()
{
    PlaySetup setup = shownSetup();
    setup.topic = topic();
    startPlay(setup); // like "スタート", it waits for a running play to end
}

std::unique_ptr<Play> frmG5::makePlay(const PlaySetup &setup)
{
    if (cboMondai->count() == 0) {
        services().messages.critical(QStringLiteral("問題がないため、始められません。"), RensouRules::game().name());
        return nullptr;
    }
    RensouPlay::Prepared prepared = RensouPlay::prepare(setup, services().folder, services().clock.today());
    if (!prepared.play)
        services().messages.critical(prepared.failure, RensouRules::game().name());
    return std::move(prepared.play);
}

void frmG5::resetQuestion()
{
    const auto *play = playAs<RensouPlay>();
    cboMondai->setCurrentIndex(cboMondai->findText(play->topic()));
    question()->setText(play->topic());
    lstRenData->clear();
    lstRenData->addItems(play->existing());
    msgRireki2->setRows(1);
    answerBox()->clear();
    lockTopic(true);
}

void frmG5::firstQuestion()
{
    answerBox()->setFocus();
}

void frmG5::answer(const QString &typed)
{
    const RensouPlay::Given given = playAs<RensouPlay>()->answer(typed, services().clock.now());
    if (given.outcome.counted) {
        if (given.kind == RensouRules::Kind::New)
            lstRenData->addItem(given.text);
        const int row = msgRireki2->rows();
        msgRireki2->setRows(row + 1);
        msgRireki2->setTextMatrix(row, 0, QString::number(row));
        msgRireki2->setTextMatrix(row, 1, given.text);
        msgRireki2->gridModel().setBackColor(row, 0, windowsColor(kindColour(given.kind)));
        if (msgRireki2->rows() > 8)
            msgRireki2->setTopRow(msgRireki2->rows() - 1);
        answerBox()->clear();
    }
    showOutcome(given.outcome);
}

void frmG5::playEnded()
{
    lockTopic(false);
}

void frmG5::showCounts()
{
    const auto *play = playAs<RensouPlay>();
    resultLabel(ResultLabel::Correct)->setText(QString::number(play->newCount()));
    resultLabel(ResultLabel::Wrong)->setText(QString::number(play->duplicateCount()));
    lblChu->setText(QString::number(play->existingCount()));
    resultLabel(ResultLabel::Answers)->setText(QString::number(play->total()));
}

void frmG5::cmdSyousai_Click()
{
    if (!topic().isEmpty())
        m_panel->open(topic());
}

void frmG5::msgRireki_Click()
{
    if (running())
        return; // the topic is the play's until it ends
    Grid *list = history().list();
    if (list->rows() <= 1 || list->row() < 1 || list->headingClicked())
        return;
    const int found = cboMondai->findText(list->textMatrix(list->row(), GameDefinition::column(RensouField::Topic)));
    if (found < 0)
        return;
    cboMondai->setCurrentIndex(found);
    question()->setText(topic());
    fillExisting(topic());
}

} // namespace kotohana
