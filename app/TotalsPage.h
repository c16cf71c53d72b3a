#pragma once

#include "stats/TotalsTable.h"

#include <QFrame>

#include <array>

class QRadioButton;

namespace kotohana {

class Grid;
struct Services;

// The "集計表示" page: monthly and daily totals per game, as time, number of plays or both.
class TotalsPage final : public QFrame
{
    Q_OBJECT

public:
    TotalsPage(const Services &services, QWidget *parent = nullptr);

    // The page opening: time totals over the days from the first to the last play.
    void open(const QString &firstRecordDate, const QString &lastRecordDate);
    static QString helpText();

    void optList2_Click(int index);

private:
    void build(Grid &grid, TotalsTable::Unit unit, const TotalsTable &table);

    const Services &m_services;
    QString m_first;
    QString m_last;
    std::array<QRadioButton *, 3> optList2{};
    Grid *msgKakei1 = nullptr;
    Grid *msgKakei2 = nullptr;
};

} // namespace kotohana
