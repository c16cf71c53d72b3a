#include "TodayView.h"

#include "Items.h"

#include "platform/Dates.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"

#include <algorithm>

namespace kotohana {

std::vector<TodayView::ItemTotal> TodayView::playedItems() const
{
    std::vector<ItemTotal> played;
    std::copy_if(items.begin(), items.end(), std::back_inserter(played), [](const ItemTotal &item) { return item.count > 0; });
    return played;
}

int TodayView::kinds() const
{
    return int(std::count_if(items.begin(), items.end(), [](const ItemTotal &item) { return item.count > 0; }));
}

TodayView buildTodayView(const std::vector<PlayRecord> &records, QDate day)
{
    TodayView view;
    for (std::size_t i = 0; i < view.items.size(); ++i)
        view.items[i].name = itemNames()[i];
    if (records.empty())
        return view;

    view.noData = false;
    const QString wanted = Formats::date(day);
    std::optional<QDate> first;
    std::optional<QDate> last;
    const QChar *checkedDate = nullptr; // plays of one day mostly share their date text
    bool checkedIsWanted = false;
    for (const PlayRecord &record : records) {
        if (record.date.constData() != checkedDate) {
            checkedDate = record.date.constData();
            checkedIsWanted = record.date == wanted;
            if (const std::optional<QDate> date = Dates::parse(record.date)) {
                first = first ? std::min(*first, *date) : *date;
                last = last ? std::max(*last, *date) : *date;
                view.playDays.push_back(date->toJulianDay());
            }
        }
        if (!checkedIsWanted)
            continue;
        view.plays.push_back({record.time, record.item, ListFormat::formatNumber(record.seconds)});
        view.longestPlay = std::max(view.longestPlay, record.seconds);
        const int index = itemIndex(record.item);
        if (index < 0)
            continue; // listed, but not one of the seven games
        TodayView::ItemTotal &total = view.items[std::size_t(index)];
        ++total.count;
        total.seconds = Formats::addRounded(total.seconds, record.seconds);
    }
    std::sort(view.playDays.begin(), view.playDays.end());
    view.playDays.erase(std::unique(view.playDays.begin(), view.playDays.end()), view.playDays.end());
    if (first) {
        view.firstRecordDate = Formats::date(*first);
        view.lastRecordDate = Formats::date(*last);
    }
    for (const TodayView::ItemTotal &item : view.items)
        view.dayTotalSeconds += item.seconds;
    return view;
}

std::optional<TodayView> viewOfAnotherDay(const TodayView &view, QDate day)
{
    // Every record whose date reads as the day is among the play days: a day outside them has
    // no play. A day whose own text does not read as a date is never known to have none.
    if (Dates::parse(Formats::date(day)) != day
        || std::binary_search(view.playDays.begin(), view.playDays.end(), day.toJulianDay()))
        return std::nullopt;
    TodayView other = view;
    other.plays.clear();
    for (TodayView::ItemTotal &item : other.items) {
        item.count = 0;
        item.seconds = 0;
    }
    other.longestPlay = 0;
    other.dayTotalSeconds = 0;
    return other;
}

qint64 playStreak(const std::vector<qint64> &playDays, QDate today)
{
    // Days after today (a clock set back, a hand edit) do not count.
    const auto upToToday = std::upper_bound(playDays.begin(), playDays.end(), today.toJulianDay());
    qint64 expected = today.toJulianDay();
    if (upToToday == playDays.begin() || *(upToToday - 1) != expected)
        --expected;
    qint64 streak = 0;
    for (auto day = std::make_reverse_iterator(upToToday); day != playDays.rend() && *day == expected; ++day, --expected)
        ++streak;
    return streak;
}

qint64 playStreak(const std::vector<PlayRecord> &records, QDate today)
{
    return playStreak(buildTodayView(records, today).playDays, today);
}

QString streakCaption(qint64 days)
{
    if (days <= 0)
        return {};
    return QStringLiteral("連続 %1 日").arg(days);
}

Face faceFor(int kinds)
{
    switch (kinds) {
    case 0:
        return Face::None;
    case 1:
        return Face::Sulky;
    case 2:
        return Face::Smile;
    default:
        return Face::Laugh;
    }
}

int litLamps(int kinds)
{
    return std::clamp(kinds, 0, 7);
}

QString faceCaption(int kinds)
{
    if (kinds == 0)
        return QStringLiteral("今日の脳も健康元気");
    return QString::number(kinds) + QStringLiteral(" 種類の脳刺激");
}

} // namespace kotohana
