#pragma once

#include "platform/Dates.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kotohana {

// Plays of one day stand together in the record file, so a date text is mostly the one just
// read: parsing it once per run of equal texts keeps long files fast.
class DayCache final
{
public:
    std::optional<QDate> parse(const QString &text)
    {
        if (!m_valid || text != m_text) {
            m_text = text;
            m_day = Dates::parse(text);
            m_valid = true;
        }
        return m_day;
    }

private:
    QString m_text;
    std::optional<QDate> m_day;
    bool m_valid = false;
};

} // namespace kotohana
