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

Q_SIGNALS:
    void dateClick(QDate day);
};

} // namespace kotohana
