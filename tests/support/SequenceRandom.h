#pragma once

#include "platform/RandomSource.h"

#include <QList>

namespace kotohana::test {

// Draws the values it is given, in order, then starts again from the first.
class SequenceRandom final : public RandomSource
{
public:
    explicit SequenceRandom(QList<double> values)
        : m_values(std::move(values))
    {
    }
    double next() override
    {
        const double value = m_values.at(m_next);
        m_next = (m_next + 1) % m_values.size();
        return value;
    }
    void reseedFromClock() override { }

private:
    QList<double> m_values;
    qsizetype m_next = 0;
};

} // namespace kotohana::test
