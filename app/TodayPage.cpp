#include "TodayPage.h"

#include "PageTools.h"

#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/MessageBoxes.h"
#include "records/RecordStore.h"
#include "records/Services.h"
#include "stats/ChartRules.h"
#include "ui/Chart.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"
#include "ui/Grid.h"
#include "ui/MonthView.h"
#include "ui/Picture.h"
#include "ui/Shape.h"
#include "ui/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>

namespace kotohana {
namespace {

constexpr quint32 kLitChartButton = 0xC0C0FF;
constexpr int kFaceSize = 96;

void paintLabel(QLabel *label, const QColor &color)
{
    label->setAutoFillBackground(true);
    setThemedColours(*label, color, QPalette::Window, ColourUse::Lamp);
}

} // namespace

QColor lampColor(int lamp)
{
    static const QColor colors[] = {QColor(255, 192, 192), QColor(255, 224, 192), QColor(255, 255, 192), QColor(192, 255, 192),
                                    QColor(192, 255, 255), QColor(192, 192, 255), QColor(255, 192, 255)};
    return lamp >= 1 && lamp <= 7 ? colors[lamp - 1] : QColor(Qt::white);
}

TodayPage::TodayPage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraMain"));
    buildLayout();
}

void TodayPage::buildLayout()
{
    // Face mark: four pictures in one place, at most one shown.
    auto *faceBox = new QWidget(this);
    auto *faces = new QGridLayout(faceBox);
    faces->setContentsMargins(0, 0, 0, 0);
    const auto addFace = [&](Picture *&picture, const char *name, const QString &resource) {
        picture = new Picture(resource, faceBox);
        picture->setObjectName(QString::fromLatin1(name));
        picture->setFixedSize(kFaceSize, kFaceSize);
        faces->addWidget(picture, 0, 0, Qt::AlignCenter);
        picture->hide();
    };
    addFace(imgNashi, "imgNashi", QStringLiteral(":/images/face_none.svg"));
    addFace(imgkana, "imgkana", QStringLiteral(":/images/face_sulky.svg"));
    addFace(imgniko, "imgniko", QStringLiteral(":/images/face_smile.svg"));
    addFace(imgwara, "imgwara", QStringLiteral(":/images/face_laugh.svg"));
    // A screen reader names the face shown as the help tour does.
    imgNashi->setAccessibleName(QStringLiteral("フェイスマーク：なし"));
    imgkana->setAccessibleName(QStringLiteral("フェイスマーク：ムスッ"));
    imgniko->setAccessibleName(QStringLiteral("フェイスマーク：ニコ"));
    imgwara->setAccessibleName(QStringLiteral("フェイスマーク：笑い"));
    imgNashi->show();

    lblMHyouka = new QLabel(this);
    lblMHyouka->setObjectName(QStringLiteral("lblMHyouka"));
    lblMHyouka->setAlignment(Qt::AlignCenter);
    lblMHyouka->setMinimumWidth(180);
    lblMHyouka->setMargin(4);
    lblMHyouka->setFrameShape(QFrame::StyledPanel);
    QFont captionFont = lblMHyouka->font();
    captionFont.setPointSize(11);
    captionFont.setBold(true);
    lblMHyouka->setFont(captionFont);

    auto *lamps = new QHBoxLayout;
    lamps->setSpacing(8);
    for (int i = 0; i < 7; ++i) {
        shpLed[std::size_t(i)] = new kotohana::Shape(kotohana::Shape::Kind::Circle, this);
        shpLed[std::size_t(i)]->setObjectName(QStringLiteral("shpLed%1").arg(i + 1));
        shpLed[std::size_t(i)]->setFixedSize(26, 26);
        lamps->addWidget(shpLed[std::size_t(i)]);
    }
    lamps->addSpacing(16);
    lblStreak = new QLabel(this);
    lblStreak->setObjectName(QStringLiteral("lblStreak"));
    lblStreak->setToolTip(QStringLiteral("今日まで（今日まだ遊んでいなければ昨日まで）毎日遊んだ日数です"));
    // In the caption font of the face mark's label: one font less to load before the first paint.
    lblStreak->setFont(captionFont);
    lamps->addWidget(lblStreak);
    lamps->addStretch(1);

    auto *totalCaption = new QLabel(QStringLiteral("プレイ時間の合計"), this);
    lblDayTotal = new QLabel(QStringLiteral("0:00:00"), this);
    lblDayTotal->setObjectName(QStringLiteral("lblDayTotal"));
    QFont totalFont = lblDayTotal->font();
    totalFont.setPointSize(20);
    totalFont.setBold(true);
    lblDayTotal->setFont(totalFont);

    auto *summary = new QVBoxLayout;
    summary->addLayout(lamps);
    summary->addSpacing(6);
    auto *totalRow = new QHBoxLayout;
    totalRow->addWidget(totalCaption, 0, Qt::AlignBottom);
    totalRow->addSpacing(12);
    totalRow->addWidget(lblDayTotal);
    totalRow->addStretch(1);
    summary->addLayout(totalRow);
    summary->addStretch(1);

    auto *faceColumn = new QVBoxLayout;
    faceColumn->addWidget(faceBox, 0, Qt::AlignHCenter);
    faceColumn->addWidget(lblMHyouka);

    mtvmain = new MonthView(this);
    mtvmain->setObjectName(QStringLiteral("mtvmain"));
    mtvmain->setFixedSize(300, 210);
    mtvmain->setName(QStringLiteral("表示する日の選択"));
    connect(mtvmain, &MonthView::dateClick, this, &TodayPage::mtvmain_DateClick);

    msgDayList = new Grid(this);
    msgDayList->setObjectName(QStringLiteral("msgDayList"));
    msgDayTotal = new Grid(this);
    msgDayTotal->setObjectName(QStringLiteral("msgDayTotal"));
    msgDayList->setAccessibleName(QStringLiteral("今日のプレイ一覧"));
    msgDayTotal->setAccessibleName(QStringLiteral("今日の項目別合計"));

    cmdDay = new ColorButton(QStringLiteral("時系列"), this);
    cmdDay->setObjectName(QStringLiteral("cmdDay"));
    cmdTotal = new ColorButton(QStringLiteral("項目別"), this);
    cmdTotal->setObjectName(QStringLiteral("cmdTotal"));
    cmdJikan = new ColorButton(QStringLiteral("時間別"), this);
    cmdJikan->setObjectName(QStringLiteral("cmdJikan"));
    connect(cmdDay, &QPushButton::clicked, this, &TodayPage::cmdDay_Click);
    connect(cmdTotal, &QPushButton::clicked, this, &TodayPage::cmdTotal_Click);
    connect(cmdJikan, &QPushButton::clicked, this, &TodayPage::cmdJikan_Click);
    auto *chartButtons = new QHBoxLayout;
    chartButtons->addWidget(new QLabel(QStringLiteral("グラフ："), this));
    chartButtons->addWidget(cmdDay);
    chartButtons->addWidget(cmdTotal);
    chartButtons->addWidget(cmdJikan);
    chartButtons->addStretch(1);

    mcrMain = new Chart(this);
    mcrMain->setObjectName(QStringLiteral("mcrMain"));
    mcrMain->setEmptyText(QStringLiteral("この日のプレイはありません"));
    mcrMain->setAccessibleName(QStringLiteral("今日のグラフ"));
    mcrMain->setSubject(QStringLiteral("今日のプレイ秒数"));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(10);
    // The face and the month view make one column; the lists start right under the lamps and
    // the day's total, whatever the face column's height.
    faceColumn->addSpacing(4);
    faceColumn->addWidget(mtvmain);
    faceColumn->addStretch(1);
    layout->addLayout(faceColumn, 0, 0, 2, 1);
    layout->addLayout(summary, 0, 1, 1, 2);
    layout->addWidget(msgDayList, 1, 1);
    layout->addWidget(msgDayTotal, 1, 2);
    layout->addLayout(chartButtons, 2, 0, 1, 3);
    layout->addWidget(mcrMain, 3, 0, 1, 3);
    layout->setColumnStretch(1, 3);
    layout->setColumnStretch(2, 2);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(3, 2);
}

void TodayPage::SetupTodayGrids()
{
    using Align = Grid::Align;
    PageTools::setupGrid(*msgDayList, 11,
                         {{QString(), 500, Align::Right},
                          {QStringLiteral("時間"), 1040, Align::Center},
                          {QStringLiteral("項目"), 2400, Align::Left},
                          {QStringLiteral("秒"), 810, Align::Right}});
    PageTools::setupGrid(*msgDayTotal, 10,
                         {{QString(), 350, Align::Right},
                          {QStringLiteral("項目"), 1840, Align::Left},
                          {QStringLiteral("回"), 500, Align::Right},
                          {QStringLiteral("秒合計"), 750, Align::Right}});
}

void TodayPage::setSelectedDay(QDate day)
{
    mtvmain->setValue(day);
}

QDate TodayPage::selectedDay() const
{
    return mtvmain->value();
}

const TodayView &TodayPage::freshView()
{
    m_services.records.current();
    if (m_builtFrom != m_services.records.version())
        BuildTodayView();
    return m_view;
}

void TodayPage::BuildTodayView()
{
    SetupTodayGrids();
    mcrMain->setSeriesCount(1);
    mcrMain->setCurrentSeries(1);
    mcrMain->setPointCount(1);
    mcrMain->setCurrentPoint(1);
    mcrMain->setValue(0);
    mcrMain->setLabel(QString());

    // At start the day's view may come kept from the last run while the records are still to
    // be read.
    bool read = true;
    if (std::optional<TodayView> kept = m_services.records.takeDayView(selectedDay())) {
        m_view = std::move(*kept);
    } else {
        const std::shared_ptr<const PlayRecordFile::ReadResult> records = PageTools::readSnapshot(m_services);
        read = records->ok;
        m_view = buildTodayView(records->records, selectedDay());
    }
    // Records that could not be read are no day without plays.
    mcrMain->setEmptyText(read ? QStringLiteral("この日のプレイはありません") : QStringLiteral("記録を読み込めませんでした"));
    // The streak is today's, whatever day the month view shows.
    const QString streak = streakCaption(playStreak(m_view.playDays, m_services.clock.today()));
    lblStreak->setText(streak);
    lblStreak->setVisible(!streak.isEmpty());
    m_builtFrom = m_services.records.version();
    // At rest, the chart's value axis is already the day's: from 0 to its longest play.
    mcrMain->setValueMaximum(m_view.longestPlay);

    msgDayList->setRows(int(m_view.plays.size()) + 1);
    int row = 1;
    for (const TodayView::Play &play : m_view.plays) {
        msgDayList->setTextMatrix(row, 0, QString::number(row));
        msgDayList->setTextMatrix(row, 1, play.time);
        msgDayList->setTextMatrix(row, 2, play.item);
        msgDayList->setTextMatrix(row, 3, play.seconds);
        ++row;
    }
    if (msgDayList->rows() > 10)
        msgDayList->setTopRow(msgDayList->rows() - 1);

    const std::vector<TodayView::ItemTotal> played = m_view.playedItems();
    msgDayTotal->setRows(int(played.size()) + 1);
    row = 1;
    for (const TodayView::ItemTotal &item : played) {
        msgDayTotal->setTextMatrix(row, 0, QString::number(row));
        msgDayTotal->setTextMatrix(row, 1, item.name);
        msgDayTotal->setTextMatrix(row, 2, QString::number(item.count));
        msgDayTotal->setTextMatrix(row, 3, QString::number(item.seconds));
        ++row;
    }
    lblDayTotal->setText(Formats::hms(m_view.dayTotalSeconds));

    // At rest a day of plays asks for a chart; a day without plays says it has none.
    mcrMain->askForChoice(!m_view.plays.empty());
    const QColor lit = windowsColor(kLitChartButton);
    if (cmdDay->backColor() == lit)
        cmdDay_Click();
    else if (cmdTotal->backColor() == lit)
        cmdTotal_Click();
    else if (cmdJikan->backColor() == lit)
        cmdJikan_Click();

    showFaceAndLamps(m_view.kinds());
}

void TodayPage::showFaceAndLamps(int kinds)
{
    for (kotohana::Shape *lamp : shpLed)
        lamp->setFillColor(Qt::white);
    for (Picture *face : {imgNashi, imgkana, imgniko, imgwara})
        face->hide();
    switch (faceFor(kinds)) {
    case Face::None:
        imgNashi->show();
        break;
    case Face::Sulky:
        imgkana->show();
        break;
    case Face::Smile:
        imgniko->show();
        break;
    case Face::Laugh:
        imgwara->show();
        break;
    }
    const int lamps = litLamps(kinds);
    for (int lamp = 1; lamp <= lamps; ++lamp)
        shpLed[std::size_t(lamp - 1)]->setFillColor(lampColor(lamp));
    // What a lamp shows by its colour, a screen reader says in words.
    for (int lamp = 1; lamp <= int(shpLed.size()); ++lamp)
        shpLed[std::size_t(lamp - 1)]->setAccessibleName(
            QStringLiteral("ランプ %1：%2").arg(lamp).arg(lamp <= lamps ? QStringLiteral("点灯") : QStringLiteral("消灯")));
    paintLabel(lblMHyouka, lampColor(lamps));
    lblMHyouka->setText(faceCaption(kinds));
}

void TodayPage::mtvmain_DateClick()
{
    BuildTodayView();
    Q_EMIT dayPicked();
}

void TodayPage::lightChartButton(ColorButton *lit)
{
    PageTools::light({cmdDay, cmdTotal, cmdJikan}, lit, kLitChartButton);
}

void TodayPage::drawChart(const QString &subject, int points, const std::function<void(int)> &point)
{
    mcrMain->setSubject(subject);
    mcrMain->setSeriesCount(1);
    mcrMain->setCurrentSeries(1);
    mcrMain->setPointCount(points);
    for (int i = 1; i <= points; ++i) {
        mcrMain->setCurrentPoint(i);
        point(i);
    }
}

void TodayPage::cmdDay_Click()
{
    lightChartButton(cmdDay);
    drawChart(QStringLiteral("時系列のプレイ秒数"), msgDayList->rows() - 1, [this](int i) {
        mcrMain->setValueText(msgDayList->textMatrix(i, 3));
        mcrMain->setLabel(itemLabel(msgDayList->textMatrix(i, 2), msgDayList->rows()));
    });
}

void TodayPage::cmdTotal_Click()
{
    lightChartButton(cmdTotal);
    drawChart(QStringLiteral("項目別のプレイ秒数"), msgDayTotal->rows() - 1, [this](int i) {
        mcrMain->setValueText(msgDayTotal->textMatrix(i, 3));
        mcrMain->setLabel(itemLabel(msgDayTotal->textMatrix(i, 1), msgDayTotal->rows()));
    });
}

void TodayPage::cmdJikan_Click()
{
    lightChartButton(cmdJikan);
    HourSlots hours;
    for (int row = 1; row < msgDayList->rows(); ++row)
        hours.add(msgDayList->textMatrix(row, 1), msgDayList->textMatrix(row, 3));
    drawChart(QStringLiteral("時間別のプレイ秒数"), 24, [&](int i) {
        mcrMain->setValue(double(hours.seconds(i - 1)));
        mcrMain->setLabel(HourSlots::label(i - 1));
    });
}

} // namespace kotohana
