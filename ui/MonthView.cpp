#include "MonthView.h"

#include <QLocale>

namespace kotohana {

MonthView::MonthView(QWidget *parent)
    : QCalendarWidget(parent)
{
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setFirstDayOfWeek(Qt::Sunday);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);
    connect(this, &QCalendarWidget::clicked, this, [this](QDate day) { Q_EMIT dateClick(day); });
    connect(this, &QCalendarWidget::activated, this, [this](QDate day) { Q_EMIT dateClick(day); });
}

void MonthView::setValue(QDate day)
{
    setSelectedDate(day);
    setCurrentPage(day.year(), day.month());
}

} // namespace kotohana
