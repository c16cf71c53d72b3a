#pragma once

#include "records/TodayView.h"

#include <QFrame>

#include <optional>

#include <array>
#include <functional>

class QLabel;

namespace kotohana {

class Chart;
class ColorButton;
class Grid;
class MonthView;
class Picture;
class Shape;
struct Services;

// The main page: the plays of the day picked in the month view (today unless the user picks
// another), that day's totals per game and total time, seven lamps and a face mark that grow
// with the number of different games played, and a chart of the day.
class TodayPage final : public QFrame
{
    Q_OBJECT

public:
    TodayPage(const Services &services, QWidget *parent = nullptr);

    void SetupTodayGrids();
    // Reads データ.txt and shows the day selected in the month view.
    void BuildTodayView();
    void setSelectedDay(QDate day);
    QDate selectedDay() const;

    // The latest build: also what the statistics pages know about the whole file.
    const TodayView &view() const { return m_view; }
    // The view of データ.txt as it is now: built again when the file changed since the last build
    // (a deletion, another program's save).
    const TodayView &freshView();

    void mtvmain_DateClick();
    void cmdDay_Click();
    void cmdTotal_Click();
    void cmdJikan_Click();

Q_SIGNALS:
    // The user picked a day; the main window then puts the focus on its "メイン" button.
    void dayPicked();

private:
    void buildLayout();
    void showFaceAndLamps(int kinds);
    void lightChartButton(ColorButton *lit);
    void drawChart(const QString &subject, int points, const std::function<void(int)> &point);

    const Services &m_services;
    TodayView m_view;
    std::optional<quint64> m_builtFrom; // the record store's version the view was built from

    MonthView *mtvmain = nullptr;
    Grid *msgDayList = nullptr;
    Grid *msgDayTotal = nullptr;
    Chart *mcrMain = nullptr;
    ColorButton *cmdDay = nullptr;
    ColorButton *cmdTotal = nullptr;
    ColorButton *cmdJikan = nullptr;
    QLabel *lblDayTotal = nullptr;
    QLabel *lblMHyouka = nullptr;
    QLabel *lblStreak = nullptr;
    std::array<kotohana::Shape *, 7> shpLed{};
    Picture *imgNashi = nullptr;
    Picture *imgkana = nullptr;
    Picture *imgniko = nullptr;
    Picture *imgwara = nullptr;
};

// The colour of lamp 1 to 7 when lit.
QColor lampColor(int lamp);

} // namespace kotohana
