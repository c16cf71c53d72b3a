#include "frmG6.h"

#include "KarapaniPlay.h"

#include "records/Services.h"
#include "ui/Colors.h"
#include "ui/Shape.h"
#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr quint32 kWordTask = 0xC00000;
constexpr quint32 kColourTask = 0x0000C0;
constexpr quint32 kMixedTask = 0x00C0C0;

} // namespace

GameDefinition frmG6::definition()
{
    return levelDefinition(GameCatalog::game(6), KarapaniRules::modeNames());
}

frmG6::frmG6(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), parent)
{
    // The colour must show on a light ground, the black word too.
    QPalette p = question()->palette();
    p.setColor(QPalette::Window, Qt::white);
    question()->setPalette(p);
    QFont big = question()->font();
    big.setPointSize(40);
    question()->setFont(big);
    question()->setMinimumHeight(80);

    auto *task = new QWidget(playArea());
    auto *row = new QHBoxLayout(task);
    row->setContentsMargins(0, 0, 0, 0);
    shpMode = new Shape(Shape::Kind::Rectangle, task);
    shpMode->setObjectName(QStringLiteral("shpMode"));
    shpMode->setFixedSize(22, 22);
    lblMode = new QLabel(task);
    lblMode->setObjectName(QStringLiteral("lblMode"));
    QFont taskFont = lblMode->font();
    taskFont.setPointSize(14);
    taskFont.setBold(true);
    lblMode->setFont(taskFont);
    lblPmode = new QLabel(task);
    lblPmode->setObjectName(QStringLiteral("lblPmode"));
    row->addWidget(new QLabel(QStringLiteral("答えるのは"), task));
    row->addWidget(shpMode);
    row->addWidget(lblMode);
    row->addSpacing(20);
    row->addWidget(new QLabel(QStringLiteral("プレイモード"), task));
    row->addWidget(lblPmode);
    row->addStretch(1);
    underAnswer()->addWidget(task);
}

std::unique_ptr<Play> frmG6::makePlay(const PlaySetup &setup)
{
    return std::make_unique<KarapaniPlay>(setup, services().random);
}

void frmG6::showTask(KarapaniRules::Task task)
{
    const bool word = task == KarapaniRules::Task::Word;
    lblMode->setText(word ? QStringLiteral("文字") : QStringLiteral("色"));
    shpMode->setFillColor(windowsColor(word ? kWordTask : kColourTask));
    nameTaskColour();
}

void frmG6::nameTaskColour()
{
    // The colour beside the task stands for it; a screen reader says which it stands for.
    shpMode->setAccessibleName(lblMode->text() + QStringLiteral("を表す色"));
}

void frmG6::showModeTask()
{
    const std::optional<KarapaniRules::Mode> mode = KarapaniRules::mode(modeText());
    if (!mode)
        return;
    if (!mode->panic) {
        showTask(mode->task);
        return;
    }
    lblMode->setText(QStringLiteral("混合"));
    shpMode->setFillColor(windowsColor(kMixedTask));
    nameTaskColour();
}

void frmG6::modeChanged()
{
    lblPmode->setText(modeText());
    // The question on screen keeps the task it was asked with; the new mode shows with the next.
    if (!playing())
        showModeTask();
}

void frmG6::resetQuestion()
{
    answerBox()->clear();
    question()->clear();
    showModeTask();
}

void frmG6::showQuestion()
{
    const KarapaniRules::Question &asked = playAs<KarapaniPlay>()->question();
    const auto &colours = KarapaniRules::colours();
    QPalette p = question()->palette();
    p.setColor(QPalette::WindowText, inkOnCard(windowsColor(colours[std::size_t(asked.colour)].drawing)));
    question()->setPalette(p);
    question()->setText(colours[std::size_t(asked.word)].kanji);
    showTask(asked.task);
}

void frmG6::firstQuestion()
{
    playAs<KarapaniPlay>()->nextQuestion();
    showQuestion();
    answerBox()->setFocus();
}

void frmG6::answer(const QString &typed)
{
    const Outcome outcome = playAs<KarapaniPlay>()->answer(typed);
    if (outcome.correct)
        showQuestion();
    answerBox()->clear();
    showOutcome(outcome);
}

void frmG6::playEnded()
{
    // At the end of a time-mode play the answers box shows the typed characters.
    const auto *play = playAs<KarapaniPlay>();
    if (play->setup().timing == TimingMode::Time)
        resultLabel(ResultLabel::Answers)->setText(QString::number(play->typed()));
}

} // namespace kotohana
