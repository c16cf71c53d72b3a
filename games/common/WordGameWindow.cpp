#include "WordGameWindow.h"

#include "WordPlay.h"

#include "data/DeliveredFiles.h"
#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFile.h"
#include "records/Services.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace kotohana {

namespace {

// Answers are Japanese words: the box takes text composed by the platform's input method, tells
// it that Japanese is the language wanted and asks for no automatic capitals. Qt has no hint for
// "hiragana" as such; an input method that follows the preferred language starts in kana.
class JapaneseAnswerBox final : public QLineEdit
{
public:
    explicit JapaneseAnswerBox(QWidget *parent)
        : QLineEdit(parent)
    {
        setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
        setAttribute(Qt::WA_InputMethodEnabled, true);
        setInputMethodHints(Qt::ImhNoAutoUppercase);
    }

    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        if (query == Qt::ImPreferredLanguage)
            return locale();
        return QLineEdit::inputMethodQuery(query);
    }
};

} // namespace

WordGameWindow::WordGameWindow(const Services &services, ProgramState &state, GameDefinition definition, QWidget *parent)
    : GameWindow(services, state, std::move(definition), parent)
{
    lblMondai = new QLabel(playArea());
    lblMondai->setObjectName(QStringLiteral("lblMondai"));
    QFont questionFont = lblMondai->font();
    questionFont.setPointSize(28);
    questionFont.setBold(true);
    lblMondai->setFont(questionFont);
    lblMondai->setMinimumHeight(60);
    lblMondai->setAlignment(Qt::AlignCenter);
    lblMondai->setFrameShape(QFrame::StyledPanel);
    lblMondai->setAutoFillBackground(true);

    txtKaitou = new JapaneseAnswerBox(playArea());
    txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
    QFont answerFont = txtKaitou->font();
    answerFont.setPointSize(18);
    txtKaitou->setFont(answerFont);
    txtKaitou->setPlaceholderText(QStringLiteral("答えを入力して Enter"));
    txtKaitou->setAccessibleName(QStringLiteral("答え"));
    txtKaitou->installEventFilter(this);

    m_column = new QVBoxLayout;
    m_column->addWidget(lblMondai);
    m_column->addWidget(txtKaitou);
    m_under = new QVBoxLayout;
    m_column->addLayout(m_under);
    m_column->addStretch(1);
    m_row = new QHBoxLayout(playArea());
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addLayout(m_column, 1);
}

void WordGameWindow::replaceQuestion(QWidget *display)
{
    delete m_column->replaceWidget(lblMondai, display);
    lblMondai->hide();
}

void WordGameWindow::addHint()
{
    lblHint = new QLabel(QStringLiteral("　問題"), playArea());
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setToolTip(QStringLiteral("クリックすると元の文字がわかります"));
    lblHint->setCursor(Qt::PointingHandCursor);
    lblHint->installEventFilter(this);
    m_column->insertWidget(0, lblHint);
}

void WordGameWindow::setSidePanel(QWidget *panel)
{
    // The panel takes the height of the question and answer beside it rather than setting it:
    // a tall panel left an empty band under the answer box and squeezed the history list.
    panel->setSizePolicy(panel->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    panel->setMinimumHeight(150);
    m_row->addWidget(panel);
}

std::vector<GameDefinition::ChartButton> WordGameWindow::wordCharts(const QString &charactersCaption, const QString &countCaption)
{
    using namespace WordField;
    std::vector<GameDefinition::ChartButton> charts = GameDefinition::commonCharts({Correct, Wrong}, Seconds, Rate, Speed);
    charts.push_back({"cmdMoji", charactersCaption, {Characters}});
    charts.push_back({"cmdJisyo", countCaption, {Count}});
    return charts;
}

GameDefinition WordGameWindow::levelDefinition(const GameInfo &game, QStringList levels)
{
    GameDefinition definition;
    definition.game = game;
    definition.modeNames = std::move(levels);
    definition.modeListName = "cboHide";
    definition.modeTwinName = "cboHide2";
    definition.history = HistoryLayout(kLevelTable);
    definition.numberTwips = 570;
    definition.charts = wordCharts(QStringLiteral("字数"), QStringLiteral("予備"));
    return definition;
}

QStringList WordGameWindow::readDeliveredList(const QString &fileName, const QString &title)
{
    const DataFolder &folder = services().folder;
    TextFile::ReadResult file = TextFile::read(folder.path(fileName));
    if (!file.ok) {
        // A file that is there but cannot be read is the user's: it is never replaced.
        services().messages.critical(file.message, title);
        return {};
    }
    QStringList entries = ListFormat::entries(file.text);
    if (!entries.isEmpty())
        return entries;
    const FileResult restored = folder.restore(deliveredFilesDirectory(), fileName);
    if (!restored.ok()) {
        services().messages.critical(restored.message, title);
        return {};
    }
    services().messages.information(QStringLiteral("「%1」が見つからないか空だったため、最初の内容で作り直しました。").arg(fileName),
                                    title);
    file = TextFile::read(folder.path(fileName));
    entries = ListFormat::entries(file.text);
    if (entries.isEmpty())
        services().messages.critical(QStringLiteral("「%1」に使える項目がありません。").arg(fileName), title);
    return entries;
}

void WordGameWindow::escapeOutsidePlay()
{
    answerOutsidePlay(txtKaitou);
}

void WordGameWindow::txtKaitou_KeyPress(int key)
{
    if (key == Qt::Key_Escape) {
        if (!revealsOnEscape())
            return;
        if (!playing())
            escapeOutsidePlay();
        else
            reveal();
        return;
    }
    const QString typed = txtKaitou->text();
    if (typed.isEmpty())
        return;
    if (!playing()) {
        answerOutsidePlay(txtKaitou);
        return;
    }
    answer(typed);
}

bool WordGameWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtKaitou && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtKaitou_KeyPress(Qt::Key_Return);
            return true;
        }
        if (key == Qt::Key_Escape && revealsOnEscape()) {
            txtKaitou_KeyPress(Qt::Key_Escape);
            return true;
        }
    }
    if (watched == lblHint && event->type() == QEvent::MouseButtonPress)
        reveal();
    return GameWindow::eventFilter(watched, event);
}

} // namespace kotohana
