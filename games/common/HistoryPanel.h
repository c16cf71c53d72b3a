#pragma once

#include "GameDefinition.h"
#include "History.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QPushButton;

namespace kotohana {

class Chart;
class ColorButton;
class Grid;
class MessageBoxes;

// A game's history: the list of its history file with the mode, seconds and answers
// filters, "全部表示", the chart buttons over two charts, and "クリア".
class HistoryPanel final : public QWidget
{
    Q_OBJECT

public:
    HistoryPanel(const GameDefinition &definition, const HistoryFile &file, MessageBoxes &messages, QWidget *parent = nullptr);

    // The whole history, newest row in view.
    void cmdAllDsp_Click();
    void modeTwin_Click();
    void cboJikan2_Click();
    void cboKaisu2_Click();
    void chart_Click(int button);
    void cmdClear_Click();

    // A play just saved: one more row at the end of whatever listing shows, the lit chart
    // drawn again with it.
    void addSaved(const HistoryRow &line);

    Grid *list() const { return msgRireki; }

private:
    void listHistory(const HistoryFilter &filter, bool whole);
    void SetupHistoryGrid();
    void fillRow(int row, const HistoryRow &line);
    void ResetChartButtons();
    void RefreshHistoryChart();
    // The chart a button draws in: one series or several.
    Chart *chartOf(const GameDefinition::ChartButton &button) const;
    // The button's fields from list row firstPoint on, as the chart's points of the same numbers.
    void setChartValues(const GameDefinition::ChartButton &button, Chart &chart, int firstPoint);
    // The chart button lit, or -1.
    int litChartButton() const;
    QString modeFilter() const;

    const GameDefinition &m_definition;
    const HistoryFile &m_file;
    MessageBoxes &m_messages;

    Grid *msgRireki = nullptr;
    Chart *mcrRireki = nullptr;
    Chart *mcrRireki2 = nullptr;
    QComboBox *m_modeTwin = nullptr;
    QComboBox *cboJikan2 = nullptr;
    QComboBox *cboKaisu2 = nullptr;
    ColorButton *cmdAllDsp = nullptr;
    QPushButton *cmdClear = nullptr;
    std::vector<ColorButton *> m_chartButtons;
};

} // namespace kotohana
