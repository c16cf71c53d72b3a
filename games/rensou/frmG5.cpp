#include "frmG5.h"

#include "data/DeliveredFiles.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/Services.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"
#include "ui/Colors.h"
#include "records/Items.h"
#include "ui/GridModel.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr quint32 kNew = 0xC0FFC0;
constexpr quint32 kExisting = 0xC0FFFF;
constexpr quint32 kDuplicate = 0xC0C0FF;

void setupGrid(Grid &grid, std::initializer_list<std::tuple<const char16_t *, int, Grid::Align>> columns)
{
    grid.setRows(1);
    grid.setCols(int(columns.size()));
    grid.setFontSize(11);
    int c = 0;
    for (const auto &[heading, twips, align] : columns) {
        grid.setTextMatrix(0, c, QString::fromUtf16(heading));
        grid.setColWidth(c, twips);
        grid.setColAlignment(c, align);
        grid.setFixedAlignment(c, Grid::Align::Center);
        ++c;
    }
}

} // namespace

GameDefinition frmG5::definition()
{
    using Field = HistoryLayout::Field;
    using Align = Grid::Align;
    GameDefinition game;
    game.name = QStringLiteral("連想心理");
    game.title = QStringLiteral("連想心理タイピング");
    game.objectName = "frmG5";
    game.history.fields = {Field::Text,   Field::Text,   Field::Text,   Field::Number, Field::Number,
                           Field::Number, Field::Number, Field::Number, Field::Text,   Field::Text};
    game.history.secondsField = 9;
    game.history.answersFields = {3};
    game.columns = {{QStringLiteral("回"), 600, Align::Right},      {QStringLiteral("日付"), 1100, Align::Center},
                    {QStringLiteral("時間"), 680, Align::Center},   {QStringLiteral("問題"), 1900, Align::Left},
                    {QStringLiteral("計"), 450, Align::Right},      {QStringLiteral("新"), 400, Align::Right},
                    {QStringLiteral("既"), 400, Align::Right},      {QStringLiteral("重"), 400, Align::Right},
                    {QStringLiteral("字数"), 570, Align::Right},    {QStringLiteral("秒当たり"), 950, Align::Right},
                    {QStringLiteral("秒数"), 980, Align::Right}};
    // With no wrong answer there is no rate: "正解率" shows the new answers of each play and
    // "予備" all its answers.
    game.charts = {{"cmdKaitou", QStringLiteral("答数"), 5, 6, 7,
                    {QStringLiteral("新規"), QStringLiteral("既存"), QStringLiteral("重複")}},
                   {"cmdPByou", QStringLiteral("秒数"), 10},
                   {"cmdRitu", QStringLiteral("正解率"), 5},
                   {"cmdByou", QStringLiteral("秒当たり"), 9},
                   {"cmdMoji", QStringLiteral("字数"), 8},
                   {"cmdJisyo", QStringLiteral("予備"), 4}};
    return game;
}

frmG5::frmG5(const Services &services, ProgramState &state, QWidget *parent)
    : WordGameWindow(services, state, definition(), {}, parent)
{
    setResultCaption("lblOk", QStringLiteral("新規"));
    setResultCaption("lblNg", QStringLiteral("重複"));

    auto *chooser = new QWidget(playArea());
    auto *chooserRow = new QHBoxLayout(chooser);
    chooserRow->setContentsMargins(0, 0, 0, 0);
    cboMondai = new QComboBox(chooser);
    cboMondai->setObjectName(QStringLiteral("cboMondai"));
    cboMondai->setMinimumWidth(220);
    cmdStart2 = new QPushButton(QStringLiteral("表示中の問いでゲームスタート"), chooser);
    cmdStart2->setObjectName(QStringLiteral("cmdStart2"));
    cmdSyousai = new QPushButton(QStringLiteral("履歴表示"), chooser);
    cmdSyousai->setObjectName(QStringLiteral("cmdSyousai"));
    cmdSyousai->setToolTip(QStringLiteral("履歴を表示します"));
    lblChu = new QLabel(QStringLiteral("0"), chooser);
    lblChu->setObjectName(QStringLiteral("lblChu"));
    chooserRow->addWidget(new QLabel(QStringLiteral("問題"), chooser));
    chooserRow->addWidget(cboMondai, 1);
    chooserRow->addWidget(cmdStart2);
    chooserRow->addWidget(cmdSyousai);
    chooserRow->addSpacing(12);
    chooserRow->addWidget(new QLabel(QStringLiteral("既存"), chooser));
    chooserRow->addWidget(lblChu);

    // Right: this play's answers and the topic's earlier ones; the topic panel lies over them.
    auto *answers = new QWidget(playArea());
    auto *answerColumn = new QVBoxLayout(answers);
    answerColumn->setContentsMargins(0, 0, 0, 0);
    msgRireki2 = new Grid(answers);
    msgRireki2->setObjectName(QStringLiteral("msgRireki2"));
    optRendata = new QRadioButton(QStringLiteral("既存非表示"), answers);
    optRendata->setObjectName(QStringLiteral("optRendata"));
    optRendata2 = new QRadioButton(QStringLiteral("既存表示"), answers);
    optRendata2->setObjectName(QStringLiteral("optRendata2"));
    lstRenData = new QListWidget(answers);
    lstRenData->setObjectName(QStringLiteral("lstRenData"));
    auto *options = new QHBoxLayout;
    options->addWidget(optRendata);
    options->addWidget(optRendata2);
    answerColumn->addWidget(msgRireki2, 2);
    answerColumn->addLayout(options);
    answerColumn->addWidget(lstRenData, 1);
    answers->setFixedWidth(300);

    fraRireki = new QGroupBox(QStringLiteral("問題ごとの履歴"), playArea());
    fraRireki->setObjectName(QStringLiteral("fraRireki"));
    fraRireki->installEventFilter(this);
    cboMondai2 = new QComboBox(fraRireki);
    cboMondai2->setObjectName(QStringLiteral("cboMondai2"));
    lstRendata2 = new QListWidget(fraRireki);
    lstRendata2->setObjectName(QStringLiteral("lstRendata2"));
    msgRireki3 = new Grid(fraRireki);
    msgRireki3->setObjectName(QStringLiteral("msgRireki3"));
    cmdRenClr = new QPushButton(QStringLiteral("履歴削除"), fraRireki);
    cmdRenClr->setObjectName(QStringLiteral("cmdRenClr"));
    cmdModoru = new QPushButton(QStringLiteral("戻る"), fraRireki);
    cmdModoru->setObjectName(QStringLiteral("cmdModoru"));
    auto *panel = new QGridLayout(fraRireki);
    panel->addWidget(cboMondai2, 0, 0, 1, 2);
    panel->addWidget(lstRendata2, 1, 0);
    panel->addWidget(msgRireki3, 1, 1);
    panel->addWidget(cmdRenClr, 2, 0);
    panel->addWidget(cmdModoru, 2, 1, Qt::AlignRight);
    panel->setColumnStretch(1, 3);
    fraRireki->hide();

    auto *layout = static_cast<QGridLayout *>(playArea()->layout());
    layout->addWidget(chooser, 3, 0);
    layout->addWidget(answers, 0, 1, 5, 1);
    layout->addWidget(fraRireki, 0, 0, 5, 2);

    connect(cboMondai, &QComboBox::activated, this, &frmG5::cboMondai_Click);
    connect(optRendata, &QRadioButton::clicked, this, &frmG5::optRendata_Click);
    connect(optRendata2, &QRadioButton::clicked, this, &frmG5::optRendata2_Click);
    connect(cmdStart2, &QPushButton::clicked, this, &frmG5::cmdStart2_Click);
    connect(cmdSyousai, &QPushButton::clicked, this, &frmG5::cmdSyousai_Click);
    connect(cboMondai2, &QComboBox::activated, this, &frmG5::cboMondai2_Click);
    connect(cmdRenClr, &QPushButton::clicked, this, &frmG5::cmdRenClr_Click);
    connect(cmdModoru, &QPushButton::clicked, this, &frmG5::cmdModoru_Click);
    connect(historyList(), &Grid::clicked, this, &frmG5::msgRireki_Click);
}

QString frmG5::helpText() const
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("このゲームは『連想心理タイピング』です。") + crlf + crlf
        + QStringLiteral("出題された問いについて自分が連想したことを思うがままに回答します。") + crlf + crlf
        + QStringLiteral("より多くの回答を瞬時に用意して連想力、想像力を鍛えましょう！");
}

QString frmG5::topic() const
{
    return cboMondai->currentText();
}

QString frmG5::topicFile(const QString &name) const
{
    const QString path = services().folder.path(name);
    if (!services().folder.contains(name))
        TextFile::truncate(path); // created empty when first needed
    return path;
}

QStringList frmG5::answersOf(const QString &topic) const
{
    QStringList result;
    const TextFile::ReadResult file = TextFile::read(topicFile(RensouRules::answerFileName(topic)));
    for (QStringView line : TextFile::lines(file.text)) {
        for (QStringView field : ListFormat::splitFields(line)) {
            if (!field.isEmpty())
                result.append(field.toString());
        }
    }
    return result;
}

std::vector<QStringList> frmG5::logOf(const QString &topic) const
{
    std::vector<QStringList> log;
    const TextFile::ReadResult file = TextFile::read(topicFile(RensouRules::answerLogName(topic)));
    for (QStringView line : TextFile::lines(file.text)) {
        QStringList fields;
        for (QStringView field : ListFormat::splitFields(line))
            fields.append(field.toString());
        if (fields.size() == 4)
            log.push_back(fields);
    }
    return log;
}

void frmG5::loaded()
{
    cboMondai->clear();
    cboMondai2->clear();
    // The program's own files: a topic's files must never be one of them.
    QStringList programFiles = QDir(deliveredFilesDirectory()).entryList(QDir::Files);
    for (const QString &game : itemNames())
        programFiles << game + QStringLiteral("履歴.txt") << game + QStringLiteral("設定.txt");
    for (const QString &candidate : readDeliveredList(QString::fromUtf16(kTopicFile))) {
        // A topic names files of the data folder: one that could reach outside it is skipped.
        if (const std::optional<QChar> bad = RensouRules::forbiddenCharacter(candidate)) {
            services().messages.critical(candidate + QStringLiteral(" に含まれる ") + *bad
                                             + QStringLiteral(" は使えませんので飛ばします"),
                                         QStringLiteral("不正文字"));
            continue;
        }
        if (RensouRules::namesProgramFile(candidate, programFiles)) {
            services().messages.critical(candidate + QStringLiteral(" はこのソフトのファイルと同じ名前になるため使えませんので飛ばします"),
                                         QStringLiteral("不正文字"));
            continue;
        }
        cboMondai->addItem(candidate);
        cboMondai2->addItem(candidate);
    }
    cboMondai->setCurrentIndex(cboMondai->count() > 0 ? 0 : -1);
    question()->setText(topic());
    optRendata->setChecked(true);
    optRendata_Click();
    answerBox()->clear();
    setupGrid(*msgRireki2, {{u"回", 380, Grid::Align::Right}, {u"回答", 1975, Grid::Align::Left}});
    msgRireki2->setFontSize(10);
    lblChu->setText(QStringLiteral("0"));
}

void frmG5::fillExisting(const QString &name)
{
    m_existing = answersOf(name);
    lstRenData->clear();
    lstRenData->addItems(m_existing);
}

void frmG5::cboMondai_Click()
{
    question()->setText(topic());
    fillExisting(topic());
    optRendata2->setChecked(true);
    lstRenData->show();
    answerOutsidePlay(nullptr); // the focus goes to "スタート"
}

void frmG5::optRendata_Click()
{
    lstRenData->hide();
}

void frmG5::optRendata2_Click()
{
    if (!topic().isEmpty())
        fillExisting(topic());
    lstRenData->show();
}

bool frmG5::canStart()
{
    if (cboMondai->count() == 0) {
        services().messages.critical(QStringLiteral("問題がないため、始められません。"), QStringLiteral("連想心理"));
        return false;
    }
    if (m_drawTopic) {
        RandomSource &random = services().random;
        random.reseedFromClock();
        cboMondai->setCurrentIndex(std::min(int(cboMondai->count() * random.next()), cboMondai->count() - 1));
    }
    return true;
}

void frmG5::cmdStart2_Click()
{
    if (cycle().running())
        return; // like "スタート", it waits for the play to end
    m_drawTopic = false;
    cmdStart_Click();
    m_drawTopic = true;
}

void frmG5::resetQuestion()
{
    resetTyped();
    m_new = m_existingCount = m_duplicates = 0;
    m_thisPlay.clear();
    question()->setText(topic());
    fillExisting(topic());
    msgRireki2->setRows(1);
    m_playOfTheDay = RensouRules::playOfTheDay(logOf(topic()), Formats::date(services().clock.today()));
    answerBox()->clear();
    showCounts();
    cmdStart2->setEnabled(false);
}

void frmG5::firstQuestion()
{
    answerBox()->setFocus();
}

void frmG5::answer(const QString &typed)
{
    if (const std::optional<char32_t> bad = ShiftJis::firstUnencodable(typed)) {
        services().messages.critical(QStringLiteral("%1 は保存できない文字です。別の言葉で答えてください。")
                                         .arg(ShiftJis::describeCharacter(*bad)),
                                     QStringLiteral("連想心理"));
        return;
    }
    const RensouRules::Kind kind = RensouRules::classify(typed, m_thisPlay, m_existing);
    quint32 colour = kDuplicate;
    switch (kind) {
    case RensouRules::Kind::Duplicate:
        ++m_duplicates;
        break;
    case RensouRules::Kind::Existing:
        ++m_existingCount;
        colour = kExisting;
        break;
    case RensouRules::Kind::New: {
        ++m_new;
        colour = kNew;
        const FileResult kept = TextFile::appendLine(topicFile(RensouRules::answerFileName(topic())), typed);
        if (!kept.ok())
            services().messages.critical(kept.message, QStringLiteral("連想心理"));
        m_existing.append(typed);
        lstRenData->addItem(typed);
        break;
    }
    }
    m_thisPlay.append(typed);
    const int row = msgRireki2->rows();
    msgRireki2->setRows(row + 1);
    msgRireki2->setTextMatrix(row, 0, QString::number(row));
    msgRireki2->setTextMatrix(row, 1, typed);
    msgRireki2->gridModel().setBackColor(row, 0, windowsColor(colour));
    if (msgRireki2->rows() > 8)
        msgRireki2->setTopRow(msgRireki2->rows() - 1);

    const QDateTime now = services().clock.now();
    ListFormat::LineWriter line;
    line.text(Formats::date(now.date()))
        .text(Formats::time(now.time()))
        .text(QStringLiteral("%1").arg(m_playOfTheDay, 3, 10, QLatin1Char('0')))
        .text(typed);
    const FileResult logged = TextFile::appendLine(topicFile(RensouRules::answerLogName(topic())), line.line());
    if (!logged.ok())
        services().messages.critical(logged.message, QStringLiteral("連想心理"));
    addTyped(typed.size());
    answerBox()->clear();
    answerJudged(true); // every answer counts towards the count-mode limit
}

void frmG5::playEnded()
{
    cmdStart2->setEnabled(true);
}

void frmG5::showCounts()
{
    resultLabel("lblOk")->setText(QString::number(m_new));
    resultLabel("lblNg")->setText(QString::number(m_duplicates));
    lblChu->setText(QString::number(m_existingCount));
    resultLabel("lblMoji_T")->setText(QString::number(m_new + m_existingCount + m_duplicates));
}

void frmG5::openPanel(const QString &name)
{
    cboMondai2->setCurrentText(name);
    lstRendata2->clear();
    lstRendata2->addItems(answersOf(name));
    setupGrid(*msgRireki3, {{u"回", 600, Grid::Align::Right},
                            {u"日付", 1360, Grid::Align::Right},
                            {u"時間", 960, Grid::Align::Right},
                            {u"日回", 560, Grid::Align::Right},
                            {u"回答", 2330, Grid::Align::Left}});
    const std::vector<QStringList> log = logOf(name);
    msgRireki3->setRows(int(log.size()) + 1);
    int row = 1;
    for (const QStringList &entry : log) {
        msgRireki3->setTextMatrix(row, 0, QString::number(row));
        for (int c = 0; c < 4; ++c)
            msgRireki3->setTextMatrix(row, c + 1, entry.value(c));
        ++row;
    }
    fraRireki->show();
    fraRireki->raise();
}

void frmG5::cmdSyousai_Click()
{
    if (!topic().isEmpty())
        openPanel(topic());
}

void frmG5::cboMondai2_Click()
{
    openPanel(cboMondai2->currentText());
}

void frmG5::cmdRenClr_Click()
{
    const QString name = cboMondai2->currentText();
    if (name.isEmpty()
        || !services().messages.confirm(name + QStringLiteral("のデータをクリアします。よろしいですか？"),
                                        QStringLiteral("クリア確認")))
        return;
    for (const QString &file : {RensouRules::answerFileName(name), RensouRules::answerLogName(name)}) {
        const FileResult cleared = TextFile::truncate(services().folder.path(file));
        if (!cleared.ok())
            services().messages.critical(cleared.message, QStringLiteral("連想心理"));
    }
    msgRireki3->setRows(1);
    lstRendata2->clear();
}

void frmG5::cmdModoru_Click()
{
    if (lstRendata2->count() == 0) {
        lstRenData->clear();
        if (cboMondai2->currentText() == topic())
            m_existing.clear();
    }
    fraRireki->hide();
}

void frmG5::msgRireki_Click()
{
    Grid *list = historyList();
    if (list->rows() <= 1 || list->row() < 1 || list->headingClicked())
        return;
    const int found = cboMondai->findText(list->textMatrix(list->row(), 3));
    if (found < 0)
        return;
    cboMondai->setCurrentIndex(found);
    question()->setText(topic());
    fillExisting(topic());
}

bool frmG5::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fraRireki && event->type() == QEvent::MouseButtonPress)
        fraRireki->hide();
    return WordGameWindow::eventFilter(watched, event);
}

QString frmG5::historyCell(int column, const QString &field) const
{
    // The list shows the date as yy/mm/dd and the time as hh:mm.
    if (column == 1 && field.size() == 10)
        return field.mid(2);
    if (column == 2 && field.size() == 8)
        return field.left(5);
    return field;
}

HistoryRow frmG5::historyFields(const PlayResult &play) const
{
    return {topic(),
            QString::number(m_new + m_existingCount + m_duplicates),
            QString::number(m_new),
            QString::number(m_existingCount),
            QString::number(m_duplicates),
            QString::number(typed()),
            Formats::perSecond(play.speed),
            ListFormat::formatNumber(float(play.seconds)) + QStringLiteral("秒")};
}

QString frmG5::recordText(const PlayResult &play) const
{
    return conditions(play);
}

} // namespace kotohana
