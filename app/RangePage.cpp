#include "RangePage.h"

#include "PageTools.h"
#include "RecordLists.h"

#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Formats.h"
#include "records/Items.h"
#include "records/Services.h"
#include "stats/CellTexts.h"
#include "stats/ChartRules.h"
#include "ui/Caption.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr quint32 kPressedFilter = 0xC0FFFF;
constexpr quint32 kLitChart = 0xFFFFC0;

// The period buttons 1 to 8: caption and the days back from today.
struct Period {
    const char16_t *caption;
    int daysBack;
};
constexpr Period kPeriods[9] = {{u"", 0},        {u"前日", 1},   {u"１週間", 7}, {u"２週間", 14}, {u"１ヶ月", 30},
                                {u"３ヶ月", 90}, {u"半年", 180}, {u"１年", 365}, {u"３日", 2}};

} // namespace

RangePage::RangePage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraTaijyu"));
    buildLayout();
    fillItemList();
}

void RangePage::buildLayout()
{
    using PageTools::button;
    auto *period = new QGroupBox(QStringLiteral("期間"), this);
    cboStdate = new QComboBox(period);
    cboStdate->setObjectName(QStringLiteral("cboStdate"));
    cboEddate = new QComboBox(period);
    cboEddate->setObjectName(QStringLiteral("cboEddate"));
    cboStdate->setAccessibleName(QStringLiteral("開始日"));
    cboEddate->setAccessibleName(QStringLiteral("終了日"));
    // Both boxes offer the same dates: one list serves them.
    m_dates = new QStringListModel(this);
    for (QComboBox *box : {cboStdate, cboEddate}) {
        box->setModel(m_dates);
        box->setEditable(true);
        // The date is typed into the box's own entry field, which a screen reader names too.
        box->lineEdit()->setAccessibleName(box->accessibleName());
        captionForScreenReaders(box);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(10);
        // A whole date, the drop-down arrow beside it.
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 36);
    }
    auto *periodGrid = new QGridLayout(period);
    periodGrid->addWidget(cboStdate, 0, 0, 1, 2);
    periodGrid->addWidget(new QLabel(QStringLiteral("～"), period), 0, 2, Qt::AlignCenter);
    periodGrid->addWidget(cboEddate, 0, 3, 1, 2);
    const int order[] = {8, 1, 2, 3, 4, 5, 6, 7};
    int slot = 0;
    for (int k : order) {
        cmdKikan[std::size_t(k)] = button(period, QStringLiteral("cmdKikan%1").arg(k).toLatin1().constData(),
                                          QString::fromUtf16(kPeriods[k].caption));
        cmdKikan[std::size_t(k)]->setMaximumWidth(66);
        periodGrid->addWidget(cmdKikan[std::size_t(k)], 1 + slot / 5, slot % 5);
        connect(cmdKikan[std::size_t(k)], &QPushButton::clicked, this, [this, k] { cmdKikan_Click(k); });
        ++slot;
    }
    cmdAllDay = button(period, "cmdAllDay", QStringLiteral("全部"));
    cmdKikanF = button(period, "cmdKikanF", QStringLiteral("任意"));
    cmdAllDay->setMaximumWidth(66);
    cmdKikanF->setMaximumWidth(66);
    periodGrid->addWidget(cmdAllDay, 2, 3);
    periodGrid->addWidget(cmdKikanF, 2, 4);
    periodGrid->setRowStretch(3, 1); // the buttons keep together at the top of a taller box
    connect(cmdAllDay, &QPushButton::clicked, this, &RangePage::cmdAllDay_Click);
    connect(cmdKikanF, &QPushButton::clicked, this, &RangePage::cmdKikanF_Click);

    auto *weekdays = new QGroupBox(QStringLiteral("曜日"), this);
    auto *weekGrid = new QGridLayout(weekdays);
    weekGrid->setHorizontalSpacing(3);
    for (int i = 0; i < 7; ++i) {
        cmdWeek[std::size_t(i)] = button(weekdays, QStringLiteral("cmdWeek%1").arg(i).toLatin1().constData(),
                                         Dates::weekdayName(i + 1));
        cmdWeek[std::size_t(i)]->setFixedWidth(30);
        weekGrid->addWidget(cmdWeek[std::size_t(i)], 0, i);
        connect(cmdWeek[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdWeek_Click(i); });
    }
    cmdAllWeek = button(weekdays, "cmdAllWeek", QStringLiteral("全部"));
    weekGrid->addWidget(cmdAllWeek, 1, 0, 1, 7);
    connect(cmdAllWeek, &QPushButton::clicked, this, &RangePage::cmdAllWeek_Click);

    auto *items = new QGroupBox(QStringLiteral("項目"), this);
    txtKey = new QLineEdit(items);
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setPlaceholderText(QStringLiteral("項目の語句"));
    txtKey->setToolTip(QStringLiteral("項目の名前の一部を入れて Enter を押すと、その項目だけを表示します"));
    txtKey->setMinimumWidth(txtKey->fontMetrics().horizontalAdvance(txtKey->placeholderText()) + 32);
    txtKey->installEventFilter(this);
    cmdKensaku = button(items, "cmdKensaku", QStringLiteral("検索"));
    cmdAllact = button(items, "cmdAllact", QStringLiteral("全部"));
    lstAct2 = new QListWidget(items);
    lstAct2->setObjectName(QStringLiteral("lstAct2"));
    lstAct2->setAccessibleName(QStringLiteral("項目一覧"));
    // The seven games side by side in rows, all in sight without scrolling.
    lstAct2->setFlow(QListView::LeftToRight);
    lstAct2->setWrapping(true);
    lstAct2->setResizeMode(QListView::Adjust);
    lstAct2->setUniformItemSizes(true);
    lstAct2->setGridSize(
        QSize(lstAct2->fontMetrics().horizontalAdvance(QStringLiteral("ボキャブラ")) + 14, lstAct2->fontMetrics().height() + 6));
    lstAct2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstAct2->setFixedHeight(3 * (lstAct2->fontMetrics().height() + 6) + 8);
    lstAct2->setMinimumWidth(3 * (lstAct2->fontMetrics().horizontalAdvance(QStringLiteral("ボキャブラ")) + 14) + 6);
    auto *itemGrid = new QGridLayout(items);
    itemGrid->addWidget(txtKey, 0, 0);
    itemGrid->addWidget(cmdKensaku, 0, 1);
    itemGrid->addWidget(cmdAllact, 0, 2);
    itemGrid->addWidget(lstAct2, 1, 0, 1, 3);
    connect(cmdKensaku, &QPushButton::clicked, this, &RangePage::cmdKensaku_Click);
    connect(cmdAllact, &QPushButton::clicked, this, &RangePage::cmdAllact_Click);
    connect(lstAct2, &QListWidget::itemClicked, this, &RangePage::lstAct2_Click);
    // Moving through the items with the keyboard picks them as clicks do (a click, which
    // selects too, is taken by itemClicked; the list taking the focus only marks an item).
    connect(lstAct2, &QListWidget::itemSelectionChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton && !lstAct2->selectedItems().isEmpty())
            lstAct2_Click();
    });
    connect(txtKey, &QLineEdit::returnPressed, this, &RangePage::txtKey_KeyPress);

    msgBunseki = new Grid(this);
    msgBunseki->setObjectName(QStringLiteral("msgBunseki"));
    msgBunseki2 = new Grid(this);
    msgBunseki2->setObjectName(QStringLiteral("msgBunseki2"));
    // A row for every game, none of them cut: the chart under the totals gives way.
    msgBunseki2->setMinimumVisibleRows(int(itemNames().size()));
    mcrBunseki = new Chart(this);
    mcrBunseki->setObjectName(QStringLiteral("mcrBunseki"));
    mcrBunseki2 = new Chart(this);
    mcrBunseki2->setObjectName(QStringLiteral("mcrBunseki2"));
    mcrBunseki2->hide();
    msgBunseki->setAccessibleName(QStringLiteral("範囲内のプレイ一覧"));
    msgBunseki2->setAccessibleName(QStringLiteral("範囲内の項目別合計"));
    for (Chart *chart : {mcrBunseki, mcrBunseki2}) {
        chart->setAccessibleName(QStringLiteral("範囲指定のグラフ"));
        chart->setSubject(QStringLiteral("範囲内のプレイ秒数"));
    }
    cmdDay3 = button(this, "cmdDay3", QStringLiteral("時系列"));
    cmdTotal3 = button(this, "cmdTotal3", QStringLiteral("項目別"));
    cmdJikan3 = button(this, "cmdJikan3", QStringLiteral("時間別"));
    connect(cmdDay3, &QPushButton::clicked, this, &RangePage::cmdDay3_Click);
    connect(cmdTotal3, &QPushButton::clicked, this, &RangePage::cmdTotal3_Click);
    connect(cmdJikan3, &QPushButton::clicked, this, &RangePage::cmdJikan3_Click);

    auto *filters = new QHBoxLayout;
    filters->addWidget(period);
    filters->addWidget(weekdays, 0, Qt::AlignTop);
    filters->addWidget(items, 1);
    auto *chartButtons = new QHBoxLayout;
    chartButtons->addWidget(new QLabel(QStringLiteral("グラフ："), this));
    chartButtons->addWidget(cmdDay3);
    chartButtons->addWidget(cmdTotal3);
    chartButtons->addWidget(cmdJikan3);
    chartButtons->addStretch(1);
    auto *charts = new QGridLayout;
    charts->addWidget(mcrBunseki, 0, 0);
    charts->addWidget(mcrBunseki2, 0, 0);
    auto *right = new QVBoxLayout;
    right->addWidget(msgBunseki2, 2);
    right->addLayout(chartButtons);
    right->addLayout(charts, 3);

    lblUndated = new QLabel(this);
    lblUndated->setObjectName(QStringLiteral("lblUndated"));
    lblUndated->hide();
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(msgBunseki, 1);
    listColumn->addWidget(lblUndated);
    auto *lists = new QHBoxLayout;
    lists->addLayout(listColumn, 3);
    lists->addLayout(right, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filters);
    layout->addLayout(lists, 1);
}

QString RangePage::helpText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("これまでプレイしてきたデータを「項目」「曜日」「期間」指定で表示できます。") + crlf + crlf
        + QStringLiteral("「項目」をリストから選択すると、その「項目」のみのデータになります。") + crlf
        + QStringLiteral("　※状況欄に直接任意の語句を入力することができます。（入力後Enter）") + crlf + crlf
        + QStringLiteral("各種曜日ボタンで選択すると指定した曜日でのデータになります。") + crlf + crlf
        + QStringLiteral("「期間」をボタンで選択すると指定した期間でのデータになります。") + crlf
        + QStringLiteral("　※期間のコンボリストで任意に指定することも可能です。") + crlf + crlf
        + QStringLiteral("時系列、項目別、時間別でグラフ表示することもできます。") + crlf;
}

void RangePage::fillItemList()
{
    lstAct2->clear();
    for (const QString &name : itemNames())
        lstAct2->addItem(name);
}

std::vector<ColorButton *> RangePage::periodButtons() const
{
    return {cmdAllDay,   cmdKikan[1], cmdKikan[2], cmdKikan[3], cmdKikan[4],
            cmdKikan[5], cmdKikan[6], cmdKikan[7], cmdKikan[8], cmdKikanF};
}

void RangePage::clearItemPick()
{
    const QSignalBlocker quiet(lstAct2);
    lstAct2->setCurrentRow(-1);
    lstAct2->clearSelection();
}

void RangePage::open(const QString &firstRecordDate, const QString &lastRecordDate)
{
    m_firstRecordDate = firstRecordDate;
    m_lastRecordDate = lastRecordDate;
    txtKey->clear();
    clearItemPick();
    m_selectedWeekday = kAllWeekdays;
    list(RangeFilter{}, true);
    for (ColorButton *b : periodButtons())
        b->setBackColor(windowsColor(kButtonFace));
    for (ColorButton *b : cmdWeek)
        b->setBackColor(windowsColor(kButtonFace));
    for (ColorButton *b : {cmdAllDay, cmdAllact, cmdAllWeek})
        b->setBackColor(windowsColor(kPressedFilter));
}

RangeFilter RangePage::currentFilter(bool withWeekday, bool withItem) const
{
    RangeFilter filter;
    filter.start = cboStdate->currentText();
    filter.end = cboEddate->currentText();
    if (withWeekday && m_selectedWeekday != kAllWeekdays)
        filter.weekday = m_selectedWeekday + 1;
    if (withItem)
        filter.item = txtKey->text();
    return filter;
}

void RangePage::RefreshRange()
{
    list(currentFilter(true, true), false);
}

void RangePage::list(const RangeFilter &given, bool opening)
{
    RangeFilter filter = given;
    if (opening) {
        // Everything: every date from the first play to the last sorts inside these texts.
        filter.start = QString();
        filter.end = QString(QChar(0xFFFF));
    }
    using Align = Grid::Align;
    PageTools::setupGrid(*msgBunseki, 10,
                         {{QString(), 600, Align::Right},
                          {QStringLiteral("日付"), 1210, Align::Center},
                          {QStringLiteral("時間"), 960, Align::Center},
                          {QStringLiteral("曜"), 500, Align::Center},
                          {QStringLiteral("項目"), 1210, Align::Left},
                          {QStringLiteral("秒"), 740, Align::Right}});
    PageTools::setupGrid(*msgBunseki2, 10,
                         {{QStringLiteral("項目"), 1300, Align::Left},
                          {QStringLiteral("秒"), 900, Align::Right},
                          {QStringLiteral("時間"), 910, Align::Right}});
    mcrBunseki->setSeriesCount(1);
    mcrBunseki->setPointCount(1);

    RecordRows::Snapshot read = PageTools::readSnapshot(m_services);
    RangeListing listing = listRange(read->records, filter, opening);
    // Records a hand edit left without a date cannot be placed in any period; the page says so
    // rather than leaving them out unseen.
    lblUndated->setText(QStringLiteral("日付の読めない記録 %1 件は一覧に入れていません。").arg(listing.undated));
    lblUndated->setVisible(listing.undated > 0);
    {
        using enum RecordColumn;
        msgBunseki->setRowSource(std::make_shared<RecordRows>(std::move(read),
                                                              std::vector{Number, Date, Time, Weekday, Item, Seconds},
                                                              std::move(listing.rows)));
    }
    if (msgBunseki->rows() > 11)
        msgBunseki->setTopRow(msgBunseki->rows() - 1);
    msgBunseki2->setRows(int(itemNames().size()) + 1);
    for (std::size_t i = 0; i < itemNames().size(); ++i) {
        msgBunseki2->setTextMatrix(int(i) + 1, 0, itemNames()[i]);
        msgBunseki2->setTextMatrix(int(i) + 1, 1, QString::number(listing.itemSeconds[i]));
        msgBunseki2->setTextMatrix(int(i) + 1, 2, Formats::hms(listing.itemSeconds[i]));
    }
    if (opening) {
        if (m_dates->stringList() != listing.dates)
            m_dates->setStringList(listing.dates);
        // The dates are listed in file order, which need not be the order of the days (another
        // program may append an older play): the range is the earliest to the latest.
        cboStdate->setCurrentIndex(cboStdate->findText(m_firstRecordDate));
        cboEddate->setCurrentIndex(cboEddate->findText(m_lastRecordDate));
    }
    mcrBunseki->askForChoice(msgBunseki->rows() > 1);
    const QColor lit = windowsColor(kLitChart);
    if (cmdDay3->backColor() == lit)
        cmdDay3_Click();
    if (cmdTotal3->backColor() == lit)
        cmdTotal3_Click();
    if (cmdJikan3->backColor() == lit)
        cmdJikan3_Click();
}

void RangePage::setPeriod(ColorButton *pressed, const std::optional<std::pair<QString, QString>> &dates)
{
    for (ColorButton *b : periodButtons())
        b->setBackColor(windowsColor(kButtonFace));
    if (dates) {
        cboStdate->setCurrentText(dates->first);
        cboEddate->setCurrentText(dates->second);
    }
    RefreshRange();
    pressed->setBackColor(windowsColor(kPressedFilter));
}

void RangePage::cmdKikan_Click(int button)
{
    const QDate today = m_services.clock.today();
    setPeriod(cmdKikan[std::size_t(button)], std::pair(periodStart(today, kPeriods[button].daysBack), Formats::date(today)));
}

void RangePage::cmdAllDay_Click()
{
    setPeriod(cmdAllDay, std::pair(m_firstRecordDate, Formats::date(m_services.clock.today())));
}

void RangePage::cmdKikanF_Click()
{
    setPeriod(cmdKikanF, std::nullopt); // the dates as they stand in the boxes
}

void RangePage::cmdWeek_Click(int index)
{
    for (ColorButton *b : cmdWeek)
        b->setBackColor(windowsColor(kButtonFace));
    cmdAllWeek->setBackColor(windowsColor(kButtonFace));
    m_selectedWeekday = index;
    RefreshRange();
    cmdWeek[std::size_t(index)]->setBackColor(windowsColor(kPressedFilter));
}

void RangePage::cmdAllWeek_Click()
{
    for (ColorButton *b : cmdWeek)
        b->setBackColor(windowsColor(kButtonFace));
    m_selectedWeekday = kAllWeekdays;
    RefreshRange();
    cmdAllWeek->setBackColor(windowsColor(kPressedFilter));
}

void RangePage::cmdAllact_Click()
{
    txtKey->clear();
    clearItemPick();
    RefreshRange();
    cmdAllact->setBackColor(windowsColor(kPressedFilter));
}

void RangePage::lstAct2_Click()
{
    if (QListWidgetItem *item = lstAct2->currentItem())
        txtKey->setText(item->text());
    txtKey_KeyPress();
}

void RangePage::txtKey_KeyPress()
{
    cmdAllact->setBackColor(windowsColor(kButtonFace));
    RefreshRange();
}

void RangePage::cmdKensaku_Click()
{
    // The search button lists by item over the period, whatever weekday is chosen.
    list(currentFilter(false, true), false);
}

bool RangePage::eventFilter(QObject *watched, QEvent *event)
{
    // A typed search always starts from an empty box, when the user moves into it; the window
    // becoming active again (back from the help) leaves the box and the list as they are.
    if (watched == txtKey && event->type() == QEvent::FocusIn) {
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            txtKey->clear();
            clearItemPick();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void RangePage::cmdDay3_Click()
{
    mcrBunseki->show();
    mcrBunseki2->hide();
    PageTools::light({cmdDay3, cmdTotal3, cmdJikan3}, cmdDay3, kLitChart);
    const int points = msgBunseki->rows() - 1;
    mcrBunseki->setSubject(QStringLiteral("時系列のプレイ秒数"));
    mcrBunseki->setSeriesCount(1);
    mcrBunseki->setPointCount(points);
    PointTexts texts(msgBunseki->rows());
    for (int i = 1; i <= points; ++i) {
        mcrBunseki->setCurrentPoint(i);
        mcrBunseki->setValue(texts.value(msgBunseki->textMatrix(i, 5)));
    }
}

void RangePage::cmdTotal3_Click()
{
    mcrBunseki->hide();
    mcrBunseki2->show();
    PageTools::light({cmdDay3, cmdTotal3, cmdJikan3}, cmdTotal3, kLitChart);
    const int points = msgBunseki2->rows() - 1;
    mcrBunseki2->setSubject(QStringLiteral("項目別のプレイ秒数"));
    mcrBunseki2->setSeriesCount(1);
    mcrBunseki2->setPointCount(points);
    for (int i = 1; i <= points; ++i) {
        mcrBunseki2->setCurrentPoint(i);
        mcrBunseki2->setValueText(msgBunseki2->textMatrix(i, 1));
        mcrBunseki2->setLabel(itemLabel(msgBunseki2->textMatrix(i, 0), msgBunseki2->rows()));
    }
}

void RangePage::cmdJikan3_Click()
{
    mcrBunseki->hide();
    mcrBunseki2->show();
    PageTools::light({cmdDay3, cmdTotal3, cmdJikan3}, cmdJikan3, kLitChart);
    HourSlots hours;
    PointTexts texts(msgBunseki->rows());
    for (int row = 1; row < msgBunseki->rows(); ++row)
        hours.add(msgBunseki->textMatrix(row, 2), texts.value(msgBunseki->textMatrix(row, 5)));
    mcrBunseki2->setSubject(QStringLiteral("時間別のプレイ秒数"));
    mcrBunseki2->setSeriesCount(1);
    mcrBunseki2->setPointCount(24);
    for (int i = 1; i <= 24; ++i) {
        mcrBunseki2->setCurrentPoint(i);
        mcrBunseki2->setValue(double(hours.seconds(i - 1)));
        mcrBunseki2->setLabel(HourSlots::label(i - 1));
    }
}

} // namespace kotohana
