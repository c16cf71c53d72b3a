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
    GameDefinition game;
    game.name = QStringLiteral("バラバラ");
    game.title = QStringLiteral("バラバラタイピング");
    game.objectName = "frmG3";
    game.history = wordHistory(false, {3, 4});
    game.columns = wordColumns(QStringLiteral("答数"), QStringLiteral("表示秒数"));
    game.charts = wordCharts(QStringLiteral("文字数"), QStringLiteral("予備"));
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
    return wordFields(play, QString::number(play.cycle.answers()), false);
}

QString frmG3::recordText(const PlayResult &play) const
{
    return conditions(play);
}

} // namespace kotohana
