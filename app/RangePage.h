#pragma once

#include "stats/RangeList.h"

#include <QFrame>

#include <array>
#include <optional>
#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStringListModel;

namespace kotohana {

class Chart;
class ColorButton;
class Grid;
struct Services;

// The "範囲指定" page: the plays of a period, a weekday and an item, the seconds per game,
// and a chart of what is listed.
class RangePage final : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kAllWeekdays = 99;

    RangePage(const Services &services, QWidget *parent = nullptr);

    // The page opening: every filter back to "全部" and everything listed, from the earliest
    // to the latest record date.
    void open(const QString &firstRecordDate, const QString &lastRecordDate);
    static QString helpText();

    void cmdKikan_Click(int button);
    void cmdKikanF_Click();
    void cmdAllDay_Click();
    void cmdWeek_Click(int index);
    void cmdAllWeek_Click();
    void cmdAllact_Click();
    void lstAct2_Click();
    void txtKey_KeyPress();
    void cmdKensaku_Click();
    void cmdDay3_Click();
    void cmdTotal3_Click();
    void cmdJikan3_Click();

    void RefreshRange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The seven items, in the record book's order.
    void fillItemList();
    void buildLayout();
    void list(const RangeFilter &filter, bool opening);
    // No item of the list looks picked.
    void clearItemPick();
    RangeFilter currentFilter(bool withWeekday, bool withItem) const;
    void setPeriod(ColorButton *pressed, const std::optional<std::pair<QString, QString>> &dates);
    std::vector<ColorButton *> periodButtons() const;

    const Services &m_services;
    int m_selectedWeekday = kAllWeekdays;
    QString m_firstRecordDate;
    QString m_lastRecordDate;

    QComboBox *cboStdate = nullptr;
    QComboBox *cboEddate = nullptr;
    QStringListModel *m_dates = nullptr;
    std::array<ColorButton *, 9> cmdKikan{}; // [1..8]; [0] unused
    ColorButton *cmdAllDay = nullptr;
    ColorButton *cmdKikanF = nullptr;
    std::array<ColorButton *, 7> cmdWeek{};
    ColorButton *cmdAllWeek = nullptr;
    QLineEdit *txtKey = nullptr;
    QListWidget *lstAct2 = nullptr;
    ColorButton *cmdAllact = nullptr;
    ColorButton *cmdKensaku = nullptr;
    Grid *msgBunseki = nullptr;
    QLabel *lblUndated = nullptr;
    Grid *msgBunseki2 = nullptr;
    Chart *mcrBunseki = nullptr;
    Chart *mcrBunseki2 = nullptr;
    ColorButton *cmdDay3 = nullptr;
    ColorButton *cmdTotal3 = nullptr;
    ColorButton *cmdJikan3 = nullptr;
};

} // namespace kotohana
