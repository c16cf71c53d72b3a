#include "PlamaiRules.h"

#include "platform/Formats.h"
#include "platform/RandomSource.h"

#include <cstdlib>

namespace kotohana::PlamaiRules {

Row newRow(RandomSource &random)
{
    random.reseedFromClock();
    Row row{};
    for (int &digit : row)
        digit = int(random.next() * 10);
    return row;
}

int expected(int a, int b, const QString &mode)
{
    if (mode != QStringLiteral("－")) {
        const int sum = a + b;
        return sum >= 10 ? sum - 10 : sum;
    }
    return std::abs(a - b);
}

bool judge(int a, int b, const QString &typed, const QString &mode)
{
    return Formats::numericValue(typed) == double(expected(a, b, mode));
}

} // namespace kotohana::PlamaiRules
