#include "frmG3.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace kotohana {

GameDefinition frmG3::definition()
{
    using Field = HistoryLayout::Field;
    using Align = Grid::Align;
    GameDefinition game;
    game.name = QStringLiteral("バラバラ");
    game.title = QStringLiteral("バラバラタイピング");
    game.objectName = "frmG3";
    game.history.fields = {Field::Text,   Field::Text, Field::Number, Field::Number, Field::Number,
                           Field::Number, Field::Text, Field::Text,   Field::Text};
    game.history.secondsField = 8;
    game.history.answersFields = {3, 4};
    game.columns = {{QStringLiteral("回"), 600, Align::Right},      {QStringLiteral("日付"), 1400, Align::Center},
                    {QStringLiteral("時間"), 1000, Align::Center},  {QStringLiteral("答数"), 600, Align::Right},
                    {QStringLiteral("ＯＫ"), 600, Align::Right},    {QStringLiteral("ＮＧ"), 600, Align::Right},
                    {QStringLiteral("文字数"), 755, Align::Right},  {QStringLiteral("正解率"), 880, Align::Right},
                    {QStringLiteral("秒当たり"), 980, Align::Right}, {QStringLiteral("表示秒数"), 1025, Align::Right}};
    game.charts = {{"cmdKaitou", QStringLiteral("答数"), 4, 5}, {"cmdPByou", QStringLiteral("秒数"), 9},
                   {"cmdRitu", QStringLiteral("正解率"), 7},   {"cmdByou", QStringLiteral("秒当たり"), 8},
                   {"cmdJisyo", QStringLiteral("予備"), 3},    {"cmdMoji", QStringLiteral("文字数"), 6}};
    return game;
}

frmG3::frmG3(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(),
                     {QString::fromUtf16(kDictionary), QStringLiteral("登録ワード一覧 "), "frmRireki",
                      QStringLiteral("バラバラ履歴"), QStringLiteral("クリックすると解いた問題の表示になります"),
                      QStringLiteral("クリックすると登録ワード一覧の表示になります"), true},
                     parent)
{
}

QString frmG3::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『バラバラタイピング』です。") + crlf + crlf
        + QStringLiteral("ランダムに並べ替えられた単語から元の言葉を推測して解答を入力します。") + crlf + crlf
        + QStringLiteral("ばらばらになった文字を元通りにする瞬間的な判断力を高めましょう！");
}

void frmG3::loaded()
{
    const QStringList entries = readDictionary();
    showListing(entries, entries.size());
    question()->clear();
    answerBox()->clear();
}

bool frmG3::canStart()
{
    m_words = readDictionary();
    if (m_words.isEmpty()) {
        services().messages.critical(QStringLiteral("バラバラ辞書に言葉がないため、始められません。"),
                                     QStringLiteral("バラバラ"));
        return false;
    }
    return true;
}

void frmG3::resetQuestion()
{
    resetTyped();
    m_question = {};
    chain()->clear();
    question()->clear();
    answerBox()->clear();
    showChain();
}

void frmG3::newQuestion()
{
    m_question = BarabaraRules::make(m_words, services().random);
    question()->setText(m_question.scrambled);
}

void frmG3::firstQuestion()
{
    newQuestion();
    answerBox()->setFocus();
}

void frmG3::reveal()
{
    question()->setText(m_question.answer);
}

void frmG3::answer(const QString &typed)
{
    const bool right = typed == m_question.answer;
    if (right) {
        chain()->addItem(question()->text());
        chain()->scrollToBottom();
        newQuestion();
        addTyped(typed.size());
    } else {
        services().messages.critical(QStringLiteral("違います！！"), QStringLiteral("間違い"));
    }
    answerBox()->clear();
    answerJudged(right);
}

HistoryRow frmG3::historyFields(const PlayResult &play) const
{
    return {QString::number(play.cycle.answers()),
            QString::number(play.cycle.correct()),
            QString::number(play.cycle.wrong()),
            QString::number(typed()),
            Formats::percent(play.cycle.correctRate()),
            Formats::perSecond(play.speed),
            ListFormat::formatNumber(float(play.seconds)) + QStringLiteral("秒")};
}

QString frmG3::recordText(const PlayResult &play) const
{
    return play.timingName + QStringLiteral(" : ") + play.limitText;
}

} // namespace kotohana
