#include "frmG4.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "ui/Colors.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace kotohana {
namespace {

const QColor kOpen(255, 255, 255);

} // namespace

GameDefinition frmG4::definition()
{
    GameDefinition game;
    game.name = QStringLiteral("四熟虫喰");
    game.title = QStringLiteral("四熟虫喰タイピング");
    game.objectName = "frmG4";
    game.modeNames = {QStringLiteral("1:イージー"), QStringLiteral("2:ノーマル"), QStringLiteral("3:ハード"),
                      QStringLiteral("R:ランダム"), QStringLiteral("S:指定"),    QStringLiteral("0:隠さない")};
    game.modeListName = "cboHide";
    game.modeTwinName = "cboHide2";
    game.history = wordHistory(true, {2});
    game.columns = levelColumns();
    game.charts = wordCharts(QStringLiteral("字数"), QStringLiteral("予備"));
    return game;
}

frmG4::frmG4(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(),
                     {QString::fromUtf16(kDictionary), QStringLiteral("登録四字熟語 "), "frmRireki",
                      QStringLiteral("虫喰い履歴"), QStringLiteral("クリックすると解いた問題の表示になります"),
                      QStringLiteral("クリックすると登録四字熟語の表示になります"), true},
                     parent)
{
    // Four character windows take the place of the one question label.
    question()->hide();
    auto *windows = new QWidget(playArea());
    auto *row = new QHBoxLayout(windows);
    row->setContentsMargins(0, 0, 0, 0);
    QFont font = this->font();
    font.setPointSize(30);
    font.setBold(true);
    for (int i = 0; i < 4; ++i) {
        auto *window = new QLabel(windows);
        window->setObjectName(QStringLiteral("lblMondai%1").arg(i + 1));
        window->setFont(font);
        window->setFixedSize(72, 72);
        window->setAlignment(Qt::AlignCenter);
        window->setFrameShape(QFrame::Box);
        window->setAutoFillBackground(true);
        window->setCursor(Qt::PointingHandCursor);
        window->installEventFilter(this);
        row->addWidget(window);
        lblMondai[std::size_t(i)] = window;
    }
    lblPmode = new QLabel(windows);
    lblPmode->setObjectName(QStringLiteral("lblPmode"));
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("プレイモード"), windows));
    row->addWidget(lblPmode);
    row->addStretch(1);
    static_cast<QGridLayout *>(playArea()->layout())->addWidget(windows, 1, 0);
    for (int i = 1; i <= 4; ++i)
        showWindow(i, false, false);
}

QString frmG4::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『四熟虫喰タイピング』です。") + crlf + crlf
        + QStringLiteral("四字熟語を無作為に虫食い問題にして出題します。元の四字熟語を完成させましょう。") + crlf + crlf
        + QStringLiteral("虫食いを埋める、瞬間的な判断力を高めましょう！　四文字熟語の勉強にもどうぞ！");
}

void frmG4::showWindow(int index, bool open, bool withCharacter)
{
    QLabel *window = lblMondai[std::size_t(index - 1)];
    QPalette p = window->palette();
    p.setColor(QPalette::Window, open ? kOpen : windowsColor(kButtonFace));
    window->setPalette(p);
    window->setText(withCharacter ? m_question.idiom.mid(index - 1, 1) : QString());
}

void frmG4::loaded()
{
    const QStringList entries = readDictionary();
    showListing(entries, entries.size());
    answerBox()->clear();
}

void frmG4::modeChanged()
{
    const QString level = modeText();
    lblPmode->setText(level);
    if (isLoading() || !YojiRules::designatedLevel(level))
        return;
    m_designated = {};
    for (int i = 1; i <= 4; ++i)
        showWindow(i, false, false);
    services().messages.information(QStringLiteral("表示させたい窓をクリックしてください"), QStringLiteral("表示部指定"));
}

void frmG4::lblMondai_Click(int index)
{
    if (!YojiRules::designatedLevel(modeText()))
        return;
    bool &open = m_designated[std::size_t(index - 1)];
    open = !open;
    QLabel *window = lblMondai[std::size_t(index - 1)];
    QPalette p = window->palette();
    p.setColor(QPalette::Window, open ? kOpen : windowsColor(kButtonFace));
    window->setPalette(p);
}

bool frmG4::canStart()
{
    if (YojiRules::designatedLevel(modeText())
        && std::none_of(m_designated.begin(), m_designated.end(), [](bool open) { return open; })) {
        services().messages.warning(QStringLiteral("Ｓ：指定モードの場合は、いずれか一つ以上の窓は開いてください。"),
                                    QStringLiteral("スタートチェック"));
        return false;
    }
    m_idioms = YojiRules::idioms(readDictionary());
    if (m_idioms.isEmpty()) {
        services().messages.critical(QStringLiteral("四熟虫喰辞書に四字熟語がないため、始められません。"),
                                     QStringLiteral("四熟虫喰"));
        return false;
    }
    return true;
}

void frmG4::resetQuestion()
{
    resetTyped();
    m_question = {};
    const bool designated = YojiRules::designatedLevel(modeText());
    for (int i = 1; i <= 4; ++i)
        showWindow(i, designated && m_designated[std::size_t(i - 1)], false);
    chain()->clear();
    answerBox()->clear();
    showChain();
}

void frmG4::newQuestion()
{
    m_question = YojiRules::make(m_idioms, modeText(), m_designated, services().random);
    for (int i = 1; i <= 4; ++i) {
        const bool open = m_question.open[std::size_t(i - 1)];
        showWindow(i, open, open);
    }
}

void frmG4::firstQuestion()
{
    newQuestion();
    answerBox()->setFocus();
}

void frmG4::reveal()
{
    for (int i = 0; i < 4; ++i)
        lblMondai[std::size_t(i)]->setText(m_question.idiom.mid(i, 1));
}

void frmG4::escapeOutsidePlay()
{
    answerBox()->clear();
}

void frmG4::answer(const QString &typed)
{
    const bool right = typed == m_question.idiom;
    if (right) {
        QString solved;
        for (QLabel *window : lblMondai)
            solved += window->text().isEmpty() ? QStringLiteral("□") : window->text();
        chain()->addItem(solved);
        chain()->scrollToBottom();
        newQuestion();
        addTyped(typed.size());
    } else {
        services().messages.critical(QStringLiteral("違います！！"), QStringLiteral("間違い"));
    }
    answerBox()->clear();
    answerJudged(right);
}

bool frmG4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 4; ++i) {
            if (watched == lblMondai[std::size_t(i)])
                lblMondai_Click(i + 1);
        }
    }
    return WordGameWindow::eventFilter(watched, event);
}

HistoryRow frmG4::historyFields(const PlayResult &play) const
{
    return wordFields(play, QString::number(play.cycle.answers()), true);
}

QString frmG4::recordText(const PlayResult &play) const
{
    return conditions(play) + QStringLiteral("  ") + play.modeText
        + QStringLiteral("モード");
}

} // namespace kotohana
