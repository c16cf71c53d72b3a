#include "AllGraph.h"

#include "CellTexts.h"
#include "DayCache.h"
#include "Rounding.h"

#include "records/Items.h"

#include <array>

namespace kotohana {
namespace {

struct Tally {
    qint64 count = 0;
    qint64 seconds = 0;
    qint64 longest = 0;

    void add(float played)
    {
        ++count;
        seconds = Rounding::addRounded(seconds, played);
        if (double(played) > double(longest))
            longest = Rounding::halfEven(played);
    }
    QString average() const { return CellTexts::oneDecimal(count ? double(float(seconds) / float(count)) : 0.0); }
};

} // namespace

AllGraph buildAllGraph(const std::vector<PlayRecord> &records)
{
    AllGraph graph;
    std::array<Tally, 7> items{};
    DayCache days;
    std::optional<QDate> first;
    std::optional<QDate> last;
    for (const PlayRecord &record : records) {
        const int index = CellTexts::itemIndex(record.item);
        if (index >= 0)
            items[std::size_t(index)].add(record.seconds);
        // The first and last days with play; a hand-edited file out of order still has every
        // play on its own day.
        if (const std::optional<QDate> day = days.parse(record.date)) {
            if (!first || *day < *first)
                first = day;
            if (!last || *day > *last)
                last = day;
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].count > 0)
            graph.items.push_back({itemNames()[i], items[i].count, items[i].seconds, items[i].longest, items[i].average()});
    }
    if (!first)
        return graph;

    std::vector<Tally> perDay(static_cast<std::size_t>(first->daysTo(*last) + 1));
    for (const PlayRecord &record : records) {
        const std::optional<QDate> day = days.parse(record.date);
        if (!day)
            continue;
        const qint64 offset = first->daysTo(*day);
        if (offset >= 0 && offset < qint64(perDay.size()))
            perDay[std::size_t(offset)].add(record.seconds);
    }
    const QString noAverage = Tally().average(); // a day without play: one shared text
    graph.days.reserve(perDay.size());
    for (std::size_t d = 0; d < perDay.size(); ++d) {
        const Tally &tally = perDay[d];
        graph.days.push_back({CellTexts::date(first->addDays(qint64(d))), tally.count, tally.seconds, tally.longest,
                              tally.count ? tally.average() : noAverage});
    }
    return graph;
}

} // namespace kotohana
