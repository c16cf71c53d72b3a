#include "frmG7.h"

#include "data/DeliveredFiles.h"
#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/TextFile.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace kotohana {
namespace {

// The entries of a list file, one field each; a file that cannot be read is reported.
QStringList entries(const QString &path, MessageBoxes &messages, bool &unreadable)
{
    QStringList result;
    const TextFile::ReadResult file = TextFile::read(path);
    unreadable = file.exists && !file.ok;
    if (unreadable)
        messages.critical(file.message, QStringLiteral("ボキャブラ"));
    for (QStringView line : TextFile::lines(file.text)) {
        for (QStringView field : ListFormat::splitFields(line)) {
            if (!field.isEmpty())
                result.append(field.toString());
        }
    }
    return result;
}

} // namespace

GameDefinition frmG7::definition()
{
    using Field = HistoryLayout::Field;
    using Align = Grid::Align;
    GameDefinition game;
    game.name = QStringLiteral("ボキャブラ");
    game.title = QStringLiteral("ボキャブラタイピング");
    game.objectName = "frmG7";
    game.modeNames = {QStringLiteral("１文字"), QStringLiteral("２文字")};
    game.history.fields = {Field::Text,   Field::Text, Field::Number, Field::Number, Field::Number,
                           Field::Number, Field::Text, Field::Text,   Field::Text,   Field::Text};
    game.history.secondsField = 8;
    game.history.modeField = 9;
    game.history.modeByFirstCharacter = true;
    game.history.answersFields = {2, 3};
    game.columns = {{QStringLiteral("回"), 600, Align::Right},      {QStringLiteral("日付"), 1400, Align::Center},
                    {QStringLiteral("時間"), 1000, Align::Center},  {QStringLiteral("ＯＫ"), 550, Align::Right},
                    {QStringLiteral("ＮＧ"), 550, Align::Right},    {QStringLiteral("文字"), 550, Align::Right},
                    {QStringLiteral("得点"), 600, Align::Right},    {QStringLiteral("正解率"), 870, Align::Right},
                    {QStringLiteral("秒当たり"), 980, Align::Right}, {QStringLiteral("秒数"), 980, Align::Right},
                    {QStringLiteral("Ｍ"), 340, Align::Center}};
    game.charts = {{"cmdKaitou", QStringLiteral("答数"), 3, 4}, {"cmdPByou", QStringLiteral("秒数"), 9},
                   {"cmdRitu", QStringLiteral("正解率"), 7},   {"cmdByou", QStringLiteral("秒当たり"), 8},
                   {"cmdMoji", QStringLiteral("字数"), 5},     {"cmdJisyo", QStringLiteral("得点"), 6}};
    return game;
}

frmG7::frmG7(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), {}, parent)
{
    auto *scores = new QWidget(playArea());
    auto *grid = new QGridLayout(scores);
    grid->setContentsMargins(0, 0, 0, 0);
    const QString captions[] = {QStringLiteral("1：語頭"), QStringLiteral("2：語尾"), QStringLiteral("3：語中"),
                                QStringLiteral("得点")};
    for (int i = 0; i < 4; ++i) {
        lblTen[std::size_t(i)] = new QLabel(scores);
        lblTen[std::size_t(i)]->setObjectName(QStringLiteral("lblTen%1").arg(i));
        lblTen[std::size_t(i)]->setMinimumWidth(48);
        lblTen[std::size_t(i)]->setFrameShape(QFrame::StyledPanel);
        lblTen[std::size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(new QLabel(captions[i], scores), 0, 2 * i);
        grid->addWidget(lblTen[std::size_t(i)], 0, 2 * i + 1);
    }
    grid->setColumnStretch(8, 1);
    fraRireki = new QGroupBox(QStringLiteral("履歴"), playArea());
    fraRireki->setObjectName(QStringLiteral("fraRireki"));
    fraRireki->setToolTip(QStringLiteral("クリックすると履歴を閉じます"));
    fraRireki->setFixedWidth(260);
    fraRireki->installEventFilter(this);
    lstRireki = new QListWidget(fraRireki);
    lstRireki->setObjectName(QStringLiteral("lstRireki"));
    (new QVBoxLayout(fraRireki))->addWidget(lstRireki);
    auto *layout = static_cast<QGridLayout *>(playArea()->layout());
    layout->addWidget(scores, 3, 0);
    layout->addWidget(fraRireki, 0, 1, 5, 1);
}

QString frmG7::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『ボキャブラタイピング』です。") + crlf + crlf
        + QStringLiteral("パソコンが無作為に出題する「文字」が使われている単語をタイピングします。") + crlf + crlf
        + QStringLiteral("例えば…「らい」　と出題されたとします。") + crlf
        + QStringLiteral("らいおん…　みらい…　すらいむ…　などが回答例になります。") + crlf + crlf
        + QStringLiteral("いろんな言葉を返してボキャブラリを鍛えましょう！");
}

void frmG7::loaded()
{
    for (QLabel *label : lblTen)
        label->clear();
    const DataFolder &folder = services().folder;
    bool unreadable = false;
    m_kana = entries(folder.path(QString::fromUtf16(kKanaFile)), services().messages, unreadable);
    // A missing or emptied kana list, and a missing banned list, come back as delivered; a file
    // that is there but cannot be read is left alone.
    for (const char16_t *name : {kKanaFile, kBannedFile}) {
        const QString file = QString::fromUtf16(name);
        const bool needed = name == kKanaFile ? m_kana.isEmpty() && !unreadable : !folder.contains(file);
        if (!needed)
            continue;
        const FileResult restored = folder.restore(deliveredFilesDirectory(), file);
        if (restored.ok())
            services().messages.information(
                QStringLiteral("「%1」が見つからないか空だったため、最初の内容で作り直しました。").arg(file),
                QStringLiteral("ボキャブラ"));
        else
            services().messages.critical(restored.message, QStringLiteral("ボキャブラ"));
    }
    m_kana = entries(folder.path(QString::fromUtf16(kKanaFile)), services().messages, unreadable);
    const QStringList banned = entries(folder.path(QString::fromUtf16(kBannedFile)), services().messages, unreadable);
    m_banned = QSet<QString>(banned.begin(), banned.end());
}

bool frmG7::canStart()
{
    if (!VocabraRules::nextQuestion(m_kana, modeText() != QStringLiteral("１文字"), m_banned, services().random)) {
        services().messages.warning(QStringLiteral("出題できる文字がありません。ボキャブラ不要.TXT から問題を減らしてください。"),
                                    QStringLiteral("ボキャブラ"));
        return false;
    }
    return true;
}

void frmG7::resetQuestion()
{
    resetTyped();
    m_positions = {};
    m_score = 0;
    answerBox()->clear();
    question()->clear();
    lstRireki->clear();
    fraRireki->show();
}

bool frmG7::newQuestion()
{
    const std::optional<QString> next =
        VocabraRules::nextQuestion(m_kana, modeText() != QStringLiteral("１文字"), m_banned, services().random);
    m_question = next.value_or(QString());
    question()->setText(m_question);
    answerBox()->clear();
    answerBox()->setFocus();
    return next.has_value();
}

void frmG7::firstQuestion()
{
    newQuestion();
}

void frmG7::showScore()
{
    for (std::size_t i = 0; i < 3; ++i)
        lblTen[i]->setText(QString::number(m_positions[i]));
    lblTen[3]->setText(QString::number(m_score));
}

void frmG7::answer(const QString &typed)
{
    using VocabraRules::Answer;
    const Answer kind = VocabraRules::judge(typed, m_question);
    std::optional<bool> counted;
    switch (kind) {
    case Answer::Banish: {
        addTyped(typed.size());
        const FileResult banned = TextFile::appendLine(services().folder.path(QString::fromUtf16(kBannedFile)), m_question);
        if (!banned.ok())
            services().messages.critical(banned.message, QStringLiteral("ボキャブラ"));
        break;
    }
    case Answer::Itself:
        addTyped(typed.size());
        break;
    case Answer::Beginning:
    case Answer::End:
    case Answer::Inside:
        ++m_positions[std::size_t(int(kind) - int(Answer::Beginning))];
        m_score += VocabraRules::points(kind);
        addTyped(typed.size());
        counted = true;
        break;
    case Answer::Wrong:
        m_score += VocabraRules::points(kind);
        answerBox()->clear();
        counted = false;
        break;
    }
    if (counted) {
        showScore();
        lstRireki->addItem(m_question + QStringLiteral(" _ ") + answerBox()->text());
        lstRireki->scrollToBottom();
    }
    if (!newQuestion()) {
        // Every question left was banned during this play: the play cannot go on.
        services().messages.warning(QStringLiteral("出題できる文字がなくなりました。"), QStringLiteral("ボキャブラ"));
    }
    if (counted)
        answerJudged(*counted);
}

void frmG7::playEnded()
{
    // A play of only "不要" or the question itself has no answer, hence no rate.
    if (cycle().answers() == 0)
        resultLabel("lblRitu")->clear();
}

bool frmG7::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fraRireki && event->type() == QEvent::MouseButtonPress)
        fraRireki->hide();
    return WordGameWindow::eventFilter(watched, event);
}

HistoryRow frmG7::historyFields(const PlayResult &play) const
{
    return {QString::number(play.cycle.correct()),
            QString::number(play.cycle.wrong()),
            QString::number(typed()),
            QString::number(m_score),
            Formats::percent(play.cycle.correctRate()),
            Formats::perSecond(play.speed),
            ListFormat::formatNumber(float(play.seconds)) + QStringLiteral("秒"),
            play.modeText.left(1)};
}

QString frmG7::recordText(const PlayResult &play) const
{
    return conditions(play) + QStringLiteral("  ") + play.modeText
        + QStringLiteral("モード");
}

} // namespace kotohana
