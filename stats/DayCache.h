#pragma once

#include "CellTexts.h"

#include <QDate>
#include <QString>

#include <optional>

namespace kotohana {

// Whether two texts are equal; one shared text, the common case, is told at once.
inline bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

// Plays of one day stand together in the record file, and their date texts are mostly one
// shared text: what a list needs of a date (the day, its row, whether it passes a filter) is
// worked out once per run of equal texts. Value is what is worked out; Compute turns a text
// into it.
template <typename Value>
class TextRunCache final
{
public:
    template <typename Compute>
    const Value &get(const QString &text, Compute &&compute)
    {
        if (!m_valid || !sameText(text, m_text)) {
            m_text = text;
            m_value = compute(text);
            m_valid = true;
        }
        return m_value;
    }

private:
    QString m_text;
    Value m_value{};
    bool m_valid = false;
};

// The day a date text names, as Dates::parse reads it.
class DayCache final
{
public:
    std::optional<QDate> parse(const QString &text)
    {
        return m_runs.get(text, [](const QString &t) { return CellTexts::parseDate(t); });
    }

private:
    TextRunCache<std::optional<QDate>> m_runs;
};

} // namespace kotohana
