#include "WordGameWindow.h"

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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace kotohana {

WordGameWindow::WordGameWindow(const Services &services, ProgramState &state, GameDefinition definition, Layout layout,
                               QWidget *parent)
    : GameWindow(services, state, std::move(definition), parent)
    , m_layout(std::move(layout))
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

    txtKaitou = new QLineEdit(playArea());
    txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
    QFont answerFont = txtKaitou->font();
    answerFont.setPointSize(18);
    txtKaitou->setFont(answerFont);
    txtKaitou->setPlaceholderText(QStringLiteral("答えを入力して Enter"));
    txtKaitou->installEventFilter(this);

    auto *layoutGrid = new QGridLayout(playArea());
    layoutGrid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    if (m_layout.hint) {
        lblHint = new QLabel(QStringLiteral("　問題"), playArea());
        lblHint->setObjectName(QStringLiteral("lblHint"));
        lblHint->setToolTip(QStringLiteral("クリックすると元の文字がわかります"));
        lblHint->setCursor(Qt::PointingHandCursor);
        lblHint->installEventFilter(this);
        layoutGrid->addWidget(lblHint, row++, 0);
    }
    layoutGrid->addWidget(lblMondai, row++, 0);
    layoutGrid->addWidget(txtKaitou, row++, 0);
    layoutGrid->setRowStretch(row, 1);
    layoutGrid->setColumnStretch(0, 1);
    if (m_layout.dictionaryFile.isEmpty())
        return; // a game without a dictionary has no listing and no list of words

    fraJisyo = new QGroupBox(playArea());
    fraJisyo->setObjectName(QStringLiteral("fraJisyo"));
    fraJisyo->setToolTip(m_layout.listingTip);
    lstJisyo = new QListWidget(fraJisyo);
    lstJisyo->setObjectName(QStringLiteral("lstJisyo"));
    (new QVBoxLayout(fraJisyo))->addWidget(lstJisyo);
    fraRireki = new QGroupBox(m_layout.chainCaption, playArea());
    fraRireki->setObjectName(QString::fromLatin1(m_layout.chainFrame));
    fraRireki->setToolTip(m_layout.chainTip);
    lstRireki = new QListWidget(fraRireki);
    lstRireki->setObjectName(QStringLiteral("lstRireki"));
    (new QVBoxLayout(fraRireki))->addWidget(lstRireki);
    fraRireki->hide();
    for (QGroupBox *frame : {fraJisyo, fraRireki}) {
        frame->setFixedWidth(260);
        frame->installEventFilter(this);
    }

    layoutGrid->addWidget(fraJisyo, 0, 1, row + 1, 1);
    layoutGrid->addWidget(fraRireki, 0, 1, row + 1, 1);
}

HistoryLayout WordGameWindow::wordHistory(bool withLevel, std::vector<int> answersFields)
{
    using Field = HistoryLayout::Field;
    HistoryLayout layout;
    layout.fields = {Field::Text,   Field::Text, Field::Number, Field::Number, Field::Number,
                     Field::Number, Field::Text, Field::Text,   Field::Text};
    layout.secondsField = 8;
    layout.answersFields = std::move(answersFields);
    if (withLevel) {
        layout.fields.push_back(Field::Text);
        layout.modeField = 9;
        layout.modeByFirstCharacter = true;
    }
    return layout;
}

std::vector<GameDefinition::Column> WordGameWindow::wordColumns(const QString &countHeading,
                                                                const QString &secondsHeading)
{
    using Align = Grid::Align;
    return {{QStringLiteral("回"), 600, Align::Right},      {QStringLiteral("日付"), 1400, Align::Center},
            {QStringLiteral("時間"), 1000, Align::Center},  {countHeading, 600, Align::Right},
            {QStringLiteral("ＯＫ"), 600, Align::Right},    {QStringLiteral("ＮＧ"), 600, Align::Right},
            {QStringLiteral("文字数"), 755, Align::Right},  {QStringLiteral("正解率"), 880, Align::Right},
            {QStringLiteral("秒当たり"), 980, Align::Right}, {secondsHeading, 1025, Align::Right}};
}

std::vector<GameDefinition::Column> WordGameWindow::levelColumns()
{
    using Align = Grid::Align;
    return {{QStringLiteral("回"), 570, Align::Right},      {QStringLiteral("日付"), 1360, Align::Center},
            {QStringLiteral("時間"), 960, Align::Center},   {QStringLiteral("答数"), 600, Align::Right},
            {QStringLiteral("ＯＫ"), 580, Align::Right},    {QStringLiteral("ＮＧ"), 580, Align::Right},
            {QStringLiteral("字数"), 600, Align::Right},    {QStringLiteral("正解率"), 860, Align::Right},
            {QStringLiteral("秒当たり"), 980, Align::Right}, {QStringLiteral("秒数"), 980, Align::Right},
            {QStringLiteral("Ｍ"), 360, Align::Center}};
}

std::vector<GameDefinition::ChartButton> WordGameWindow::wordCharts(const QString &charactersCaption,
                                                                    const QString &countCaption)
{
    return {{"cmdKaitou", QStringLiteral("答数"), 4, 5}, {"cmdPByou", QStringLiteral("秒数"), 9},
            {"cmdRitu", QStringLiteral("正解率"), 7},   {"cmdByou", QStringLiteral("秒当たり"), 8},
            {"cmdMoji", charactersCaption, 6},          {"cmdJisyo", countCaption, 3}};
}

HistoryRow WordGameWindow::wordFields(const PlayResult &play, const QString &count, bool withLevel) const
{
    HistoryRow fields{count,
                      QString::number(play.cycle.correct()),
                      QString::number(play.cycle.wrong()),
                      QString::number(m_typed),
                      Formats::percent(play.cycle.correctRate()),
                      Formats::perSecond(play.speed),
                      ListFormat::formatNumber(float(play.seconds)) + QStringLiteral("秒")};
    if (withLevel)
        fields.append(play.modeText.left(1));
    return fields;
}

QStringList WordGameWindow::readDeliveredList(const QString &fileName)
{
    const DataFolder &folder = services().folder;
    TextFile::ReadResult file = TextFile::read(folder.path(fileName));
    QStringList entries;
    const auto parse = [&] {
        entries.clear();
        for (QStringView line : TextFile::lines(file.text)) {
            for (QStringView field : ListFormat::splitFields(line)) {
                if (!field.isEmpty())
                    entries.append(field.toString());
            }
        }
    };
    parse();
    if (file.exists && !file.ok) {
        // A file that is there but cannot be read is the user's: it is never replaced.
        services().messages.critical(file.message, QStringLiteral("辞書"));
        return {};
    }
    if (entries.isEmpty()) {
        const FileResult restored = folder.restore(deliveredFilesDirectory(), fileName);
        if (!restored.ok()) {
            services().messages.critical(restored.message, QStringLiteral("辞書"));
            return {};
        }
        services().messages.information(
            QStringLiteral("「%1」が見つからないか空だったため、最初の内容で作り直しました。").arg(fileName),
            QStringLiteral("辞書"));
        file = TextFile::read(folder.path(fileName));
        parse();
    }
    return entries;
}

void WordGameWindow::showListing(const QStringList &entries, qint64 count)
{
    lstJisyo->clear();
    lstJisyo->addItems(entries);
    setListingCaption(count);
}

void WordGameWindow::setListingCaption(qint64 count)
{
    fraJisyo->setTitle(m_layout.listingCaption + QString::number(count) + QStringLiteral("個"));
}

void WordGameWindow::showChain()
{
    fraJisyo_Click();
}

void WordGameWindow::fraJisyo_Click()
{
    if (fraRireki)
        fraRireki->show();
}

void WordGameWindow::fraRireki_Click()
{
    if (fraRireki)
        fraRireki->hide();
}

void WordGameWindow::escapeOutsidePlay()
{
    answerOutsidePlay(txtKaitou);
}

void WordGameWindow::txtKaitou_KeyPress(int key)
{
    if (key == Qt::Key_Escape) {
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
        if (key == Qt::Key_Escape) {
            txtKaitou_KeyPress(Qt::Key_Escape);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && watched) {
        if (watched == fraJisyo)
            fraJisyo_Click();
        else if (watched == fraRireki)
            fraRireki_Click();
        else if (watched == lblHint)
            reveal();
    }
    return GameWindow::eventFilter(watched, event);
}

} // namespace kotohana
