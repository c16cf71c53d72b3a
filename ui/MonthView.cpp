#include "MonthView.h"

#include <QHBoxLayout>
#include <QLocale>
#include <QToolButton>

#include <utility>

namespace kotohana {

MonthView::MonthView(QWidget *parent)
    : QCalendarWidget(parent)
{
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setFirstDayOfWeek(Qt::Sunday);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);
    headYearFirst();
    const std::pair<const char *, const char *> parts[] = {{"qt_calendar_prevmonth", "前の月"},
                                                           {"qt_calendar_nextmonth", "次の月"},
                                                           {"qt_calendar_yearedit", "年"}};
    for (const auto &[part, name] : parts) {
        if (auto *control = findChild<QWidget *>(QString::fromLatin1(part)))
            control->setAccessibleName(QString::fromUtf8(name));
    }
    connect(this, &QCalendarWidget::currentPageChanged, this, [this] { headYearFirst(); });
    connect(this, &QCalendarWidget::clicked, this, [this](QDate day) { Q_EMIT dateClick(day); });
    connect(this, &QCalendarWidget::activated, this, [this](QDate day) { Q_EMIT dateClick(day); });
}

void MonthView::headYearFirst()
{
    // The heading reads the Japanese way, "2026年12月": the year before the month, with its 年.
    auto *year = findChild<QToolButton *>(QStringLiteral("qt_calendar_yearbutton"));
    auto *month = findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
    if (!year || !month)
        return;
    year->setText(QStringLiteral("%1年").arg(yearShown()));
    auto *bar = qobject_cast<QHBoxLayout *>(year->parentWidget() ? year->parentWidget()->layout() : nullptr);
    if (bar && bar->indexOf(year) > bar->indexOf(month)) {
        bar->removeWidget(year);
        bar->insertWidget(bar->indexOf(month), year);
    }
}

QString MonthView::heading() const
{
    const auto *year = findChild<QToolButton *>(QStringLiteral("qt_calendar_yearbutton"));
    const auto *month = findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
    const auto *bar = year && year->parentWidget() ? year->parentWidget()->layout() : nullptr;
    if (!bar || !month)
        return {};
    return bar->indexOf(year) < bar->indexOf(month) ? year->text() + month->text() : month->text() + year->text();
}

void MonthView::setName(const QString &name)
{
    setAccessibleName(name);
    if (QWidget *days = focusProxy())
        days->setAccessibleName(name);
}

void MonthView::setValue(QDate day)
{
    setSelectedDate(day);
    setCurrentPage(day.year(), day.month());
}

} // namespace kotohana
