#pragma once

#include <QFrame>

namespace kotohana {

class Chart;
class ColorButton;
class Grid;
struct Services;

// The "全グラフ" page: every play since the first, totals per game and per day, six charts.
class AllGraphPage final : public QFrame
{
    Q_OBJECT

public:
    AllGraphPage(const Services &services, QWidget *parent = nullptr);

    // Fills the page; with an empty record file only the headings are shown.
    void LoadAllGraphData(bool noData);
    static QString helpText();

    void cmdDay2_Click();
    void cmdTotal2_Click();
    void cmdJikan2_Click();
    void cmdHigoto_Click(int button);

private:
    void setupGrids();
    void lightButton(ColorButton *lit);
    void showDaily(bool daily);

    const Services &m_services;
    Grid *msgDayList2 = nullptr;
    Grid *msgDayTotal2 = nullptr;
    Grid *msgDayList3 = nullptr;
    Chart *mcrMain2 = nullptr;
    Chart *mcrMain3 = nullptr;
    ColorButton *cmdDay2 = nullptr;
    ColorButton *cmdTotal2 = nullptr;
    ColorButton *cmdJikan2 = nullptr;
    ColorButton *cmdHigoto = nullptr;
    ColorButton *cmdHigoto2 = nullptr;
    ColorButton *cmdHigoto3 = nullptr;
};

} // namespace kotohana
