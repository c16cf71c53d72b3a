#include "frmG7.h"

#include "VocabraPlay.h"
#include "VocabraRules.h"

#include "data/DeliveredFiles.h"
#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFile.h"
#include "records/Services.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace kotohana {

GameDefinition frmG7::definition()
{
    using namespace VocabraField;
    GameDefinition game;
    game.game = GameCatalog::game(7);
    game.modeNames = VocabraRules::modeNames();
    game.history = vocabraHistory();
    game.charts = GameDefinition::commonCharts({Correct, Wrong}, Seconds, Rate, Speed);
    game.charts.push_back({"cmdMoji", QStringLiteral("字数"), {Characters}});
    game.charts.push_back({"cmdJisyo", QStringLiteral("得点"), {Score}});
    return game;
}

frmG7::frmG7(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), parent)
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
    underAnswer()->addWidget(scores);
    fraRireki = new QGroupBox(QStringLiteral("履歴"), playArea());
    fraRireki->setObjectName(QStringLiteral("fraRireki"));
    fraRireki->setToolTip(QStringLiteral("クリックすると履歴を閉じます"));
    fraRireki->setFixedWidth(260);
    fraRireki->installEventFilter(this);
    lstRireki = new QListWidget(fraRireki);
    lstRireki->setObjectName(QStringLiteral("lstRireki"));
    lstRireki->setAccessibleName(QStringLiteral("履歴"));
    (new QVBoxLayout(fraRireki))->addWidget(lstRireki);
    setSidePanel(fraRireki);
}

void frmG7::loaded()
{
    for (QLabel *label : lblTen)
        label->clear();
    m_kana = readDeliveredList(QString::fromUtf16(kKanaFile), QStringLiteral("ボキャブラ"));
    m_banned = readBanned();
}

QSet<QString> frmG7::readBanned()
{
    const QString file = QString::fromUtf16(kBannedFile);
    const DataFolder &folder = services().folder;
    MessageBoxes &messages = services().messages;
    // A missing list comes back as delivered; one that is there bans what it holds, maybe nothing.
    if (!folder.contains(file)) {
        const FileResult restored = folder.restore(deliveredFilesDirectory(), file);
        if (restored.ok())
            messages.information(QStringLiteral("「%1」が見つからなかったため、最初の内容で作り直しました。").arg(file),
                                 QStringLiteral("ボキャブラ"));
        else
            messages.critical(restored.message, QStringLiteral("ボキャブラ"));
    }
    const TextFile::ReadResult read = TextFile::read(folder.path(file));
    if (!read.ok)
        messages.critical(read.message, QStringLiteral("ボキャブラ"));
    const QStringList entries = ListFormat::entries(read.text);
    return QSet<QString>(entries.begin(), entries.end());
}

std::unique_ptr<Play> frmG7::makePlay(const PlaySetup &setup)
{
    auto play = std::make_unique<VocabraPlay>(setup, m_kana, m_banned, services().folder.path(kBannedFile), services().random);
    if (!play->canAsk()) {
        services().messages.warning(QStringLiteral("出題できる文字がありません。ボキャブラ不要.TXT から問題を減らしてください。"),
                                    QStringLiteral("ボキャブラ"));
        return nullptr;
    }
    return play;
}

void frmG7::resetQuestion()
{
    answerBox()->clear();
    question()->clear();
    lstRireki->clear();
    fraRireki->show();
    showScore();
}

void frmG7::showQuestion()
{
    question()->setText(playAs<VocabraPlay>()->question());
    answerBox()->clear();
    answerBox()->setFocus();
}

void frmG7::firstQuestion()
{
    playAs<VocabraPlay>()->nextQuestion();
    showQuestion();
}

void frmG7::showScore()
{
    const auto *play = playAs<VocabraPlay>();
    for (std::size_t i = 0; i < 3; ++i)
        lblTen[i]->setText(QString::number(play->positions()[i]));
    lblTen[3]->setText(QString::number(play->score()));
}

void frmG7::answer(const QString &typed)
{
    const VocabraPlay::Answered answered = playAs<VocabraPlay>()->answer(typed);
    if (!answered.entry.isEmpty()) {
        showScore();
        lstRireki->addItem(answered.entry);
        lstRireki->scrollToBottom();
    }
    showQuestion();
    if (!answered.asked) {
        // Every question of the mode chosen during this play is banned: the question stays.
        services().messages.warning(QStringLiteral("出題できる文字がなくなりました。"), QStringLiteral("ボキャブラ"));
    }
    showOutcome(answered.outcome);
}

bool frmG7::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fraRireki && event->type() == QEvent::MouseButtonPress)
        fraRireki->hide();
    return WordGameWindow::eventFilter(watched, event);
}

} // namespace kotohana
