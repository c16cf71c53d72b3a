#include "frmG4.h"

#include "YojiPlay.h"

#include "games/common/ProgramState.h"
#include "platform/MessageBoxes.h"
#include "records/Services.h"
#include "ui/Colors.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <functional>

namespace kotohana {
namespace {

const QColor kOpen(255, 255, 255);

// The windows the player opened for "S:指定"; they stay chosen for the whole run, however often
// the game window is closed and opened again.
struct ChosenWindows {
    YojiRules::Windows open{};
};

YojiRules::Windows &chosenWindows(ProgramState &state)
{
    return state.keptByGame<ChosenWindows>().open;
}

} // namespace

GameDefinition frmG4::definition()
{
    return levelDefinition(GameCatalog::game(4),
                           {QStringLiteral("1:イージー"), QStringLiteral("2:ノーマル"), QStringLiteral("3:ハード"),
                            QStringLiteral("R:ランダム"), QStringLiteral("S:指定"), QStringLiteral("0:隠さない")});
}

frmG4::frmG4(const Services &services, ProgramState &state, QWidget *parent)
    : DictionaryGameWindow(services, state, definition(), {kDictionary, u"四熟虫喰辞書"},
                           {QStringLiteral("登録四字熟語 "), "frmRireki", QStringLiteral("虫喰い履歴"),
                            QStringLiteral("クリックすると解いた問題の表示になります"),
                            QStringLiteral("クリックすると登録四字熟語の表示になります")},
                           parent)
{
    addHint();
    // Four character windows take the place of the one question label.
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
    replaceQuestion(windows);
    showDesignated(false);
}

void frmG4::showWindow(int index, bool open, const QString &text)
{
    QLabel *window = lblMondai[std::size_t(index - 1)];
    setThemedColours(*window, open ? kOpen : windowsColor(kButtonFace));
    window->setText(text);
}

void frmG4::showDesignated(bool designatedLevel)
{
    const YojiRules::Windows &designated = chosenWindows(programState());
    for (int i = 1; i <= 4; ++i)
        showWindow(i, designatedLevel && designated[std::size_t(i - 1)]);
}

void frmG4::showQuestion()
{
    const auto *play = playAs<YojiPlay>();
    for (int i = 1; i <= 4; ++i)
        showWindow(i, play->question().open[std::size_t(i - 1)], play->shown(i - 1));
}

void frmG4::loaded()
{
    DictionaryGameWindow::loaded();
    showDesignated(YojiRules::designatedLevel(modeText()));
}

void frmG4::modeChanged()
{
    const QString level = modeText();
    lblPmode->setText(level);
    if (isLoading() || !YojiRules::designatedLevel(level))
        return;
    chosenWindows(programState()) = {};
    if (running())
        playAs<YojiPlay>()->closeWindows();
    showDesignated(true);
    services().messages.information(QStringLiteral("表示させたい窓をクリックしてください"), QStringLiteral("表示部指定"));
}

void frmG4::lblMondai_Click(int index)
{
    if (!YojiRules::designatedLevel(modeText()))
        return;
    bool &open = chosenWindows(programState())[std::size_t(index - 1)];
    open = !open;
    // The colour changes at once; the characters follow from the next question on.
    QLabel *window = lblMondai[std::size_t(index - 1)];
    showWindow(index, open, window->text());
}

std::unique_ptr<Play> frmG4::makePlay(const PlaySetup &setup)
{
    const YojiRules::Windows &designated = chosenWindows(programState());
    if (YojiRules::designatedLevel(setup.mode) && std::none_of(designated.begin(), designated.end(), std::identity())) {
        services().messages.warning(QStringLiteral("Ｓ：指定モードの場合は、いずれか一つ以上の窓は開いてください。"),
                                    QStringLiteral("スタートチェック"));
        return nullptr;
    }
    QStringList idioms = YojiRules::idioms(readDictionary());
    if (idioms.isEmpty()) {
        services().messages.critical(QStringLiteral("四熟虫喰辞書に四字熟語がないため、始められません。"),
                                     QStringLiteral("四熟虫喰"));
        return nullptr;
    }
    return std::make_unique<YojiPlay>(setup, std::move(idioms), designated, services().random);
}

void frmG4::resetQuestion()
{
    DictionaryGameWindow::resetQuestion();
    showDesignated(YojiRules::designatedLevel(play()->setup().mode));
}

void frmG4::firstQuestion()
{
    playAs<YojiPlay>()->newQuestion();
    showQuestion();
    answerBox()->setFocus();
}

void frmG4::reveal()
{
    // Before the first play there is no idiom to show; the colours stay as they are.
    auto *play = playAs<YojiPlay>();
    if (play)
        play->reveal();
    for (int i = 0; i < 4; ++i)
        lblMondai[std::size_t(i)]->setText(play ? play->shown(i) : QString());
}

void frmG4::escapeOutsidePlay()
{
    answerBox()->clear();
}

void frmG4::answer(const QString &typed)
{
    const YojiPlay::Checked checked = playAs<YojiPlay>()->answer(typed);
    if (checked.outcome.correct) {
        dictionaryPanel().addToChain(checked.solved);
        showQuestion();
    }
    answerBox()->clear();
    showOutcome(checked.outcome);
}

bool frmG4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 4; ++i) {
            if (watched == lblMondai[std::size_t(i)])
                lblMondai_Click(i + 1);
        }
    }
    return DictionaryGameWindow::eventFilter(watched, event);
}

} // namespace kotohana
