#include "frmG1.h"

#include "PlamaiPlay.h"

#include "records/Services.h"
#include "ui/Colors.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace kotohana {
namespace {

constexpr quint32 kEmptyBox = 0xF0FFFF;
constexpr quint32 kCorrectBox = 0xC0FFC0;
constexpr quint32 kWrongBox = 0xC0C0FF;

// A box for one digit keeps the input method out, so that a keystroke arrives as the digit
// itself and is judged at once, even where the user left a Japanese input method on. The
// desktop's input-method plugin asks the box whether it takes composed text; the widget
// attribute alone is not what it asks.
class DigitBox final : public QLineEdit
{
public:
    explicit DigitBox(QWidget *parent)
        : QLineEdit(parent)
    {
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
    }

    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        if (query == Qt::ImEnabled)
            return false;
        return QLineEdit::inputMethodQuery(query);
    }
};

} // namespace

GameDefinition frmG1::definition()
{
    using namespace PlamaiField;
    GameDefinition game;
    game.game = GameCatalog::game(1);
    game.modeNames = {QStringLiteral("＋"), QStringLiteral("－")};
    game.buttonToolTips = false;
    game.history = plamaiHistory();
    game.charts = GameDefinition::commonCharts({Correct, Wrong}, Seconds, Rate, Speed);
    return game;
}

frmG1::frmG1(const Services &services, ProgramState &state, QWidget *parent)
    : GameWindow(services, state, definition(), parent)
{
    auto *grid = new QGridLayout(playArea());
    grid->setHorizontalSpacing(2);
    QFont digitFont = font();
    digitFont.setPointSize(24);
    digitFont.setBold(true);
    QFont boxFont = font();
    boxFont.setPointSize(17);
    for (int i = 0; i < 15; ++i) {
        auto *digit = new QLabel(playArea());
        digit->setObjectName(QStringLiteral("lblMondai%1").arg(i + 1));
        digit->setFont(digitFont);
        digit->setAlignment(Qt::AlignCenter);
        digit->setFixedSize(34, 50);
        grid->addWidget(digit, 0, 2 * i);
        lblMondai[std::size_t(i)] = digit;
    }
    for (int i = 0; i < PlamaiPlay::kBoxes; ++i) {
        auto *box = new DigitBox(playArea());
        box->setObjectName(QStringLiteral("txtKaitou%1").arg(i + 1));
        box->setAccessibleName(QStringLiteral("%1 問目の答え").arg(i + 1));
        box->setFont(boxFont);
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(1);
        box->setFixedSize(34, 42);
        box->setAutoFillBackground(true);
        box->installEventFilter(this);
        // A hidden box keeps its room, so the window does not grow when the boxes appear.
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
        box->hide();
        grid->addWidget(box, 1, 2 * i + 1);
        txtKaitou[std::size_t(i)] = box;
        connect(box, &QLineEdit::textChanged, this, [this, i] { txtKaitou_Change(i + 1); });
    }
    grid->setColumnStretch(29, 1);
    grid->setRowStretch(2, 1);
}

std::unique_ptr<Play> frmG1::makePlay(const PlaySetup &setup)
{
    return std::make_unique<PlamaiPlay>(setup, services().random);
}

void frmG1::colourBox(int index, const QColor &color)
{
    setThemedColours(*txtKaitou[std::size_t(index - 1)], color, QPalette::Base);
}

void frmG1::resetQuestion()
{
    for (QLabel *digit : lblMondai)
        digit->clear();
    for (int i = 1; i <= PlamaiPlay::kBoxes; ++i) {
        QLineEdit *box = txtKaitou[std::size_t(i - 1)];
        box->hide();
        colourBox(i, windowsColor(kEmptyBox));
        const QSignalBlocker quiet(box);
        box->clear();
    }
}

void frmG1::showRow()
{
    const PlamaiRules::Row &row = playAs<PlamaiPlay>()->row();
    for (std::size_t i = 0; i < lblMondai.size(); ++i)
        lblMondai[i]->setText(QString::number(row[i]));
    for (int i = 1; i <= PlamaiPlay::kBoxes; ++i) {
        QLineEdit *box = txtKaitou[std::size_t(i - 1)];
        colourBox(i, windowsColor(kEmptyBox));
        const QSignalBlocker quiet(box);
        box->clear();
        box->show();
    }
    txtKaitou[0]->setFocus();
}

void frmG1::firstQuestion()
{
    playAs<PlamaiPlay>()->firstRow();
    showRow();
}

void frmG1::txtKaitou_Change(int index)
{
    auto *play = playAs<PlamaiPlay>();
    if (!play)
        return;
    const PlamaiPlay::BoxOutcome judged = play->answer(index, txtKaitou[std::size_t(index - 1)]->text());
    if (!judged.outcome.counted)
        return;
    colourBox(index, windowsColor(judged.outcome.correct ? kCorrectBox : kWrongBox));
    if (judged.newRow)
        showRow();
    else
        txtKaitou[std::size_t(index)]->setFocus();
    showOutcome(judged.outcome);
}

void frmG1::txtKaitou_Click(int index)
{
    txtKaitou[std::size_t(index - 1)]->clear();
}

bool frmG1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 1; i <= PlamaiPlay::kBoxes; ++i) {
            if (watched == txtKaitou[std::size_t(i - 1)])
                txtKaitou_Click(i);
        }
    }
    return GameWindow::eventFilter(watched, event);
}

} // namespace kotohana
