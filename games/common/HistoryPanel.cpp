#include "HistoryPanel.h"

#include "GameSettings.h"

#include "platform/MessageBoxes.h"
#include "ui/Caption.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr quint32 kLitChart = 0xFFFFC0;
constexpr quint32 kWholeListing = 0xC0FFFF;

} // namespace

HistoryPanel::HistoryPanel(const GameDefinition &definition, const HistoryFile &file, MessageBoxes &messages, QWidget *parent)
    : QWidget(parent)
    , m_definition(definition)
    , m_file(file)
    , m_messages(messages)
{
    auto *filters = new QGroupBox(QStringLiteral("履歴指定"), this);
    auto *filterRow = new QHBoxLayout(filters);
    if (!definition.modeNames.isEmpty()) {
        m_modeTwin = new QComboBox(filters);
        m_modeTwin->setObjectName(QString::fromLatin1(definition.modeTwinName));
        m_modeTwin->setAccessibleName(QStringLiteral("履歴のモード"));
        m_modeTwin->addItems(definition.modeNames);
        filterRow->addWidget(caption(QStringLiteral("モード"), m_modeTwin));
        filterRow->addWidget(m_modeTwin);
        connect(m_modeTwin, &QComboBox::activated, this, &HistoryPanel::modeTwin_Click);
    }
    cboJikan2 = new QComboBox(filters);
    cboJikan2->setObjectName(QStringLiteral("cboJikan2"));
    cboJikan2->addItems(secondsLimits());
    cboKaisu2 = new QComboBox(filters);
    cboKaisu2->setObjectName(QStringLiteral("cboKaisu2"));
    cboKaisu2->addItems(answerLimits());
    cboJikan2->setAccessibleName(QStringLiteral("履歴の秒数"));
    cboKaisu2->setAccessibleName(QStringLiteral("履歴の答数"));
    filterRow->addWidget(caption(QStringLiteral("秒数"), cboJikan2));
    filterRow->addWidget(cboJikan2);
    filterRow->addWidget(caption(QStringLiteral("答数"), cboKaisu2));
    filterRow->addWidget(cboKaisu2);
    cmdAllDsp = new ColorButton(QStringLiteral("全部表示"), filters);
    cmdAllDsp->setObjectName(QStringLiteral("cmdAllDsp"));
    cmdClear = new QPushButton(QStringLiteral("クリア"), filters);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    if (definition.buttonToolTips)
        cmdClear->setToolTip(QStringLiteral("履歴データをクリアします"));
    filterRow->addWidget(cmdAllDsp);
    filterRow->addStretch(1);
    filterRow->addWidget(cmdClear);
    connect(cboJikan2, &QComboBox::activated, this, &HistoryPanel::cboJikan2_Click);
    connect(cboKaisu2, &QComboBox::activated, this, &HistoryPanel::cboKaisu2_Click);
    connect(cmdAllDsp, &QPushButton::clicked, this, &HistoryPanel::cmdAllDsp_Click);
    connect(cmdClear, &QPushButton::clicked, this, &HistoryPanel::cmdClear_Click);

    auto *chartFrame = new QGroupBox(QStringLiteral("グラフ指定"), this);
    auto *chartRow = new QHBoxLayout(chartFrame);
    for (std::size_t i = 0; i < definition.charts.size(); ++i) {
        const GameDefinition::ChartButton &chart = definition.charts[i];
        Q_ASSERT(!chart.fields.empty() && chart.fields.size() <= 3);
        auto *button = new ColorButton(chart.caption, chartFrame);
        button->setObjectName(QString::fromLatin1(chart.objectName));
        chartRow->addWidget(button);
        m_chartButtons.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, i] { chart_Click(int(i)); });
    }
    chartRow->addStretch(1);

    msgRireki = new Grid(this);
    msgRireki->setObjectName(QStringLiteral("msgRireki"));
    msgRireki->setMinimumVisibleRows(5);
    msgRireki->setColumnsInView(true);
    // The list takes the focus at the end of a play, under the keys of a last answer.
    msgRireki->setTypingFindsRows(false);
    mcrRireki = new Chart(this);
    mcrRireki->setObjectName(QStringLiteral("mcrRireki"));
    mcrRireki2 = new Chart(this);
    mcrRireki2->setObjectName(QStringLiteral("mcrRireki2"));
    mcrRireki2->setSeriesCount(2);
    mcrRireki2->hide();
    msgRireki->setAccessibleName(QStringLiteral("履歴一覧"));
    for (Chart *chart : {mcrRireki, mcrRireki2}) {
        chart->setAccessibleName(QStringLiteral("履歴のグラフ"));
        chart->setSubject(QStringLiteral("プレイごとの成績"));
    }

    auto *lists = new QHBoxLayout;
    lists->addWidget(msgRireki, 5);
    auto *charts = new QGridLayout;
    charts->addWidget(mcrRireki, 0, 0);
    charts->addWidget(mcrRireki2, 0, 0);
    lists->addLayout(charts, 3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *frames = new QHBoxLayout;
    frames->addWidget(filters, 3);
    frames->addWidget(chartFrame, 2);
    layout->addLayout(frames);
    layout->addLayout(lists, 1);
}

void HistoryPanel::SetupHistoryGrid()
{
    const HistoryTable table = m_definition.history.columns;
    msgRireki->setRows(1);
    msgRireki->setCols(GameDefinition::column(int(table.size())));
    msgRireki->setFontSize(11);
    const auto setColumn = [this](int column, const QString &heading, int twips, Grid::Align align) {
        msgRireki->setTextMatrix(0, column, heading);
        msgRireki->setColWidth(column, twips);
        msgRireki->setColAlignment(column, align);
        msgRireki->setFixedAlignment(column, Grid::Align::Center);
    };
    setColumn(0, QStringLiteral("回"), m_definition.numberTwips, Grid::Align::Right);
    for (const HistoryColumn &field : table) {
        const Grid::Align align = field.align == Qt::AlignLeft ? Grid::Align::Left
            : field.align == Qt::AlignRight                    ? Grid::Align::Right
                                                               : Grid::Align::Center;
        setColumn(GameDefinition::column(field.field), QString::fromUtf16(field.heading), field.twips, align);
    }
}

void HistoryPanel::fillRow(int row, const HistoryRow &line)
{
    msgRireki->setTextMatrix(row, 0, QString::number(row));
    for (qsizetype field = 0; field < line.size(); ++field) {
        QString text = line[field];
        // Dates as yy/mm/dd and times as hh:mm where the list is narrow.
        if (m_definition.shortDateTime && field == 0 && text.size() == 10)
            text = text.mid(2);
        else if (m_definition.shortDateTime && field == 1 && text.size() == 8)
            text = text.left(5);
        msgRireki->setTextMatrix(row, GameDefinition::column(int(field)), text);
    }
}

void HistoryPanel::listHistory(const HistoryFilter &filter, bool whole)
{
    msgRireki->hide();
    SetupHistoryGrid();
    const HistoryFile::ReadResult history = m_file.readAll();
    if (!history.ok)
        m_messages.critical(history.message, QStringLiteral("履歴"));
    // The grid is sized once for the lines shown: growing it line by line would have the
    // view take in every size on the way.
    std::vector<const HistoryRow *> shown;
    shown.reserve(history.rows.size());
    for (const HistoryRow &line : history.rows) {
        if (matches(m_definition.history, line, filter))
            shown.push_back(&line);
    }
    msgRireki->setRows(int(shown.size()) + 1);
    for (std::size_t i = 0; i < shown.size(); ++i)
        fillRow(int(i) + 1, *shown[i]);
    if (msgRireki->rows() > 7)
        msgRireki->setTopRow(msgRireki->rows() - 1);
    msgRireki->show();
    cmdAllDsp->setBackColor(windowsColor(whole ? kWholeListing : kButtonFace));
    RefreshHistoryChart();
}

void HistoryPanel::addSaved(const HistoryRow &line)
{
    const int row = msgRireki->rows();
    msgRireki->setRows(row + 1);
    fillRow(row, line);
    if (msgRireki->rows() > 7)
        msgRireki->setTopRow(msgRireki->rows() - 1);
    // A lit chart gains the new play's point; the points before it are as they were.
    const int lit = litChartButton();
    if (lit < 0) {
        mcrRireki->askForChoice(true);
        return;
    }
    Chart *chart = chartOf(m_definition.charts[std::size_t(lit)]);
    if (chart->pointCount() != row - 1) {
        chart_Click(lit);
        return;
    }
    chart->appendPoint();
    setChartValues(m_definition.charts[std::size_t(lit)], *chart, row);
}

QString HistoryPanel::modeFilter() const
{
    return m_modeTwin ? m_modeTwin->currentText() : QString();
}

void HistoryPanel::cmdAllDsp_Click()
{
    for (QComboBox *list : {cboKaisu2, cboJikan2, m_modeTwin}) {
        if (list)
            list->setCurrentIndex(-1);
    }
    listHistory({}, true);
}

void HistoryPanel::modeTwin_Click()
{
    cboKaisu2->setCurrentIndex(-1);
    cboJikan2->setCurrentIndex(-1);
    listHistory({modeFilter(), {}, {}}, false);
}

void HistoryPanel::cboJikan2_Click()
{
    if (m_modeTwin && m_modeTwin->currentText().isEmpty()) {
        m_messages.warning(QStringLiteral("先にモードを選んでください"), QStringLiteral("モード選択"));
        cboJikan2->setCurrentIndex(-1);
        return;
    }
    cboKaisu2->setCurrentIndex(-1);
    listHistory({modeFilter(), cboJikan2->currentText(), {}}, false);
}

void HistoryPanel::cboKaisu2_Click()
{
    if (m_modeTwin && m_modeTwin->currentText().isEmpty()) {
        m_messages.warning(QStringLiteral("先にモードを選んでください"), QStringLiteral("モード選択"));
        cboKaisu2->setCurrentIndex(-1);
        return;
    }
    cboJikan2->setCurrentIndex(-1);
    listHistory({modeFilter(), {}, cboKaisu2->currentText()}, false);
}

void HistoryPanel::ResetChartButtons()
{
    for (ColorButton *button : m_chartButtons)
        button->setBackColor(windowsColor(kButtonFace));
}

void HistoryPanel::chart_Click(int button)
{
    const GameDefinition::ChartButton &pressed = m_definition.charts[std::size_t(button)];
    ResetChartButtons();
    const int seriesCount = int(pressed.fields.size());
    Chart *chart = chartOf(pressed);
    chart->setSubject(QStringLiteral("プレイごとの") + pressed.caption);
    mcrRireki->setVisible(seriesCount == 1);
    mcrRireki2->setVisible(seriesCount > 1);
    if (seriesCount > 1) {
        mcrRireki2->setSeriesCount(seriesCount);
        for (int series = 1; series <= seriesCount; ++series)
            mcrRireki2->setSeriesName(series, pressed.seriesNames.value(series - 1));
    }
    chart->setPointCount(msgRireki->rows() - 1);
    setChartValues(pressed, *chart, 1);
    m_chartButtons[std::size_t(button)]->setBackColor(windowsColor(kLitChart));
}

Chart *HistoryPanel::chartOf(const GameDefinition::ChartButton &button) const
{
    return button.fields.size() > 1 ? mcrRireki2 : mcrRireki;
}

void HistoryPanel::setChartValues(const GameDefinition::ChartButton &button, Chart &chart, int firstPoint)
{
    for (std::size_t series = 0; series < button.fields.size(); ++series) {
        const int column = GameDefinition::column(button.fields[series]);
        chart.setCurrentSeries(int(series) + 1);
        for (int point = firstPoint; point < msgRireki->rows(); ++point) {
            chart.setCurrentPoint(point);
            chart.setValueText(msgRireki->textMatrix(point, column));
        }
    }
}

int HistoryPanel::litChartButton() const
{
    const QColor face = windowsColor(kButtonFace);
    for (std::size_t i = 0; i < m_chartButtons.size(); ++i) {
        if (m_chartButtons[i]->backColor() != face)
            return int(i);
    }
    return -1;
}

void HistoryPanel::RefreshHistoryChart()
{
    if (const int lit = litChartButton(); lit >= 0)
        chart_Click(lit);
    else // at rest: a chart to pick beside plays, "no data" only without them
        mcrRireki->askForChoice(msgRireki->rows() > 1);
}

void HistoryPanel::cmdClear_Click()
{
    if (!m_messages.confirm(QStringLiteral("履歴データをクリアします。よろしいですか？"), QStringLiteral("クリア確認")))
        return;
    const FileResult cleared = m_file.clear();
    if (!cleared.ok()) {
        m_messages.critical(cleared.message, QStringLiteral("クリアできません"));
        return;
    }
    msgRireki->setRows(1);
    // The chart shows the list: an emptied list leaves an empty chart, not the plays removed.
    RefreshHistoryChart();
    m_messages.information(QStringLiteral("履歴データをクリアしました"), QStringLiteral("クリア終了"));
}

} // namespace kotohana
