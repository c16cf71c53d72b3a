#pragma once

#include <QCalendarWidget>
#include <QDate>

namespace kotohana {

// A month calendar with the selected day as its value. dateClick is sent only when the user
// picks a day, never when the program sets the value.
class MonthView final : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit MonthView(QWidget *parent = nullptr);

    QDate value() const { return selectedDate(); }
    // Selects the day and shows its month.
    void setValue(QDate day);
    // The month shown as its heading reads, "2026年12月".
    QString heading() const;
    // The name assistive technology gives the calendar. Its table of days, which takes the
    // focus for it, carries the name too.
    void setName(const QString &name);

Q_SIGNALS:
    void dateClick(QDate day);

private:
    void headYearFirst();
};

} // namespace kotohana
