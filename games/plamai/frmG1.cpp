#include "frmG1.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/Services.h"
#include "ui/Colors.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace kotohana {
namespace {

constexpr quint32 kEmptyBox = 0xF0FFFF;
constexpr quint32 kCorrectBox = 0xC0FFC0;
constexpr quint32 kWrongBox = 0xC0C0FF;

} // namespace

GameDefinition frmG1::definition()
{
    using Field = HistoryLayout::Field;
    using Align = Grid::Align;
    GameDefinition game;
    game.name = QStringLiteral("プラマイ");
    game.title = QStringLiteral("プラマイ±タイピング");
    game.objectName = "frmG1";
    game.modeNames = {QStringLiteral("＋"), QStringLiteral("－")};
    game.modeListName = "cboMode";
    game.modeTwinName = "cboMode2";
    game.buttonToolTips = false;
    game.history.fields = {Field::Text, Field::Text, Field::Number, Field::Number, Field::Number,
                           Field::Text, Field::Text, Field::Text,   Field::Text};
    game.history.secondsField = 7;
    game.history.modeField = 8;
    game.history.answersFields = {2};
    game.columns = {{QStringLiteral("回"), 600, Align::Right},       {QStringLiteral("日付"), 1400, Align::Center},
                    {QStringLiteral("時間"), 1000, Align::Center},   {QStringLiteral("答数"), 600, Align::Right},
                    {QStringLiteral("ＯＫ"), 600, Align::Right},     {QStringLiteral("ＮＧ"), 600, Align::Right},
                    {QStringLiteral("正解率"), 900, Align::Right},   {QStringLiteral("秒当たり"), 1000, Align::Right},
                    {QStringLiteral("秒数"), 1025, Align::Right},    {QStringLiteral("モード"), 700, Align::Center}};
    game.charts = {{"cmdKaitou", QStringLiteral("答数"), 4, 5},
                   {"cmdPByou", QStringLiteral("秒数"), 8},
                   {"cmdRitu", QStringLiteral("正解率"), 6},
                   {"cmdByou", QStringLiteral("秒当たり"), 7}};
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
    for (int i = 0; i < 14; ++i) {
        auto *box = new QLineEdit(playArea());
        box->setObjectName(QStringLiteral("txtKaitou%1").arg(i + 1));
        box->setFont(boxFont);
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(1);
        box->setFixedSize(34, 42);
        // Keystrokes arrive as plain characters: no input method composes them first.
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
        box->setAutoFillBackground(true);
        box->installEventFilter(this);
        box->hide();
        grid->addWidget(box, 1, 2 * i + 1);
        txtKaitou[std::size_t(i)] = box;
        connect(box, &QLineEdit::textChanged, this, [this, i] { txtKaitou_Change(i + 1); });
    }
    grid->setColumnStretch(29, 1);
    grid->setRowStretch(2, 1);
}

QString frmG1::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『プラマイ±タイピング』です。") + crlf + crlf
        + QStringLiteral("隣り合う二つの数字を足したり引いたりした結果を入力してください。") + crlf + crlf
        + QStringLiteral("　・足し算（＋）モードで結果が二桁になった場合は一桁目を入力します。（8 + 4 = 12 → 2）") + crlf
        + QStringLiteral("　・引き算（－）モードで結果がマイナスになった場合は－を除いて入力します。（4 - 8 = -4 → 4）")
        + crlf + crlf + QStringLiteral("単純計算の繰り返しで集中力を高めましょう！");
}

void frmG1::colourBox(int index, const QColor &color)
{
    QLineEdit *box = txtKaitou[std::size_t(index - 1)];
    QPalette p = box->palette();
    p.setColor(QPalette::Base, color);
    box->setPalette(p);
}

void frmG1::resetQuestion()
{
    for (QLabel *digit : lblMondai)
        digit->clear();
    for (int i = 1; i <= 14; ++i) {
        QLineEdit *box = txtKaitou[std::size_t(i - 1)];
        box->hide();
        colourBox(i, windowsColor(kEmptyBox));
        box->clear();
    }
}

void frmG1::showNewRow()
{
    m_row = PlamaiRules::newRow(services().random);
    for (std::size_t i = 0; i < lblMondai.size(); ++i)
        lblMondai[i]->setText(QString::number(m_row[i]));
    for (int i = 1; i <= 14; ++i) {
        QLineEdit *box = txtKaitou[std::size_t(i - 1)];
        colourBox(i, windowsColor(kEmptyBox));
        box->clear();
        box->show();
    }
    txtKaitou[0]->setFocus();
}

void frmG1::firstQuestion()
{
    showNewRow();
}

void frmG1::txtKaitou_Change(int index)
{
    QLineEdit *box = txtKaitou[std::size_t(index - 1)];
    if (!playing() || box->text().isEmpty())
        return;
    const bool correct = PlamaiRules::judge(m_row[std::size_t(index - 1)], m_row[std::size_t(index)], box->text(),
                                            modeText());
    colourBox(index, windowsColor(correct ? kCorrectBox : kWrongBox));
    if (index == 14)
        showNewRow();
    else
        txtKaitou[std::size_t(index)]->setFocus();
    answerJudged(correct);
}

void frmG1::txtKaitou_Click(int index)
{
    txtKaitou[std::size_t(index - 1)]->clear();
}

bool frmG1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 1; i <= 14; ++i) {
            if (watched == txtKaitou[std::size_t(i - 1)])
                txtKaitou_Click(i);
        }
    }
    return GameWindow::eventFilter(watched, event);
}

qint64 frmG1::speedCount() const
{
    return cycle().answers();
}

HistoryRow frmG1::historyFields(const PlayResult &play) const
{
    return {QString::number(play.cycle.answers()),
            QString::number(play.cycle.correct()),
            QString::number(play.cycle.wrong()),
            Formats::percent(play.cycle.correctRate()),
            Formats::perSecond(play.speed),
            ListFormat::formatNumber(float(play.seconds)) + QStringLiteral("秒"),
            play.modeText};
}

QString frmG1::recordText(const PlayResult &play) const
{
    return conditions(play) + QStringLiteral("  (") + play.modeText
        + QStringLiteral(") モード");
}

} // namespace kotohana
