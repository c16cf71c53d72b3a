#include "frmG6.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/Services.h"
#include "ui/Colors.h"
#include "ui/Shape.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace kotohana {
namespace {

constexpr quint32 kWordTask = 0xC00000;
constexpr quint32 kColourTask = 0x0000C0;
constexpr quint32 kMixedTask = 0x00C0C0;

} // namespace

GameDefinition frmG6::definition()
{
    GameDefinition game;
    game.name = QStringLiteral("カラパニ");
    game.title = QStringLiteral("カラパニタイピング");
    game.objectName = "frmG6";
    game.modeNames = {QStringLiteral("E:イージー"), QStringLiteral("N:ノーマル"), QStringLiteral("P:パニック")};
    game.modeListName = "cboHide";
    game.modeTwinName = "cboHide2";
    game.history = wordHistory(true, {2});
    game.columns = levelColumns();
    game.charts = wordCharts(QStringLiteral("字数"), QStringLiteral("予備"));
    return game;
}

frmG6::frmG6(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), {}, parent)
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
    static_cast<QGridLayout *>(playArea()->layout())->addWidget(task, 3, 0);
}

QString frmG6::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『カラパニタイピング』です。") + crlf + crlf
        + QStringLiteral("例えば、赤い色で　「青」　などと出題されます。") + crlf
        + QStringLiteral("これを　文字通り「あお」と入力したり、色の方に従って「あか」と入力したりします。") + crlf + crlf
        + QStringLiteral("文字や色に惑わされずに的確な判断力を鍛えましょう！");
}

void frmG6::showTask(KarapaniRules::Task task)
{
    const bool word = task == KarapaniRules::Task::Word;
    lblMode->setText(word ? QStringLiteral("文字") : QStringLiteral("色"));
    shpMode->setFillColor(windowsColor(word ? kWordTask : kColourTask));
}

void frmG6::modeChanged()
{
    const QString mode = modeText();
    lblPmode->setText(mode);
    m_panic = false;
    if (mode.startsWith(u'E')) {
        m_task = KarapaniRules::Task::Word;
        showTask(m_task);
    } else if (mode.startsWith(u'N')) {
        m_task = KarapaniRules::Task::Colour;
        showTask(m_task);
    } else if (mode.startsWith(u'P')) {
        m_panic = true;
        lblMode->setText(QStringLiteral("混合"));
        shpMode->setFillColor(windowsColor(kMixedTask));
    }
}

void frmG6::resetQuestion()
{
    resetTyped();
    answerBox()->clear();
    question()->clear();
}

void frmG6::newQuestion()
{
    m_question = KarapaniRules::next(services().random, m_task, m_panic);
    const KarapaniRules::Colour &drawn = KarapaniRules::colours()[std::size_t(m_question.colour)];
    QPalette p = question()->palette();
    p.setColor(QPalette::WindowText, windowsColor(drawn.drawing));
    question()->setPalette(p);
    question()->setText(KarapaniRules::colours()[std::size_t(m_question.word)].kanji);
    if (m_panic)
        showTask(m_question.task);
}

void frmG6::firstQuestion()
{
    newQuestion();
    answerBox()->setFocus();
}

void frmG6::answer(const QString &typed)
{
    const bool right = KarapaniRules::judge(typed, m_question);
    if (right) {
        addTyped(typed.size());
        newQuestion();
    }
    answerBox()->clear();
    answerJudged(right);
}

void frmG6::playEnded()
{
    // At the end of a time-mode play the answers box shows the typed characters.
    if (cycle().mode() == TimingMode::Time)
        resultLabel("lblMoji_T")->setText(QString::number(typed()));
}

HistoryRow frmG6::historyFields(const PlayResult &play) const
{
    return wordFields(play, QString::number(play.cycle.answers()), true);
}

QString frmG6::recordText(const PlayResult &play) const
{
    return conditions(play) + QStringLiteral("  ") + play.modeText
        + QStringLiteral("モード");
}

} // namespace kotohana
