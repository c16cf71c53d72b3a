#pragma once

#include <QString>

#include <array>
#include <unordered_map>

namespace kotohana {

// A chart point's label for an item: its first two characters, or only the first when the
// list the chart is drawn from has more than 16 data rows (rows counts the heading row too).
QString itemLabel(const QString &itemName, int sourceRows);

// Seconds played per hour of the day, from the time texts ("21:05:09") and seconds texts of a
// list: the hour is the number the time starts with. A time that does not start with an hour
// of 0 to 24 counts nowhere. Each addition is rounded to a whole number, halves to even.
class HourSlots final
{
public:
    static constexpr int kSlots = 25; // 0 to 24; the chart shows 0 to 23

    void add(QStringView time, QStringView seconds);
    // The same with the seconds text already read (Formats::numericValue).
    void add(QStringView time, double seconds);
    qint64 seconds(int hour) const { return hour >= 0 && hour < kSlots ? m_seconds[std::size_t(hour)] : 0; }
    // The chart label of an hour: " 0" ... " 23".
    static QString label(int hour);

private:
    std::array<qint64, kSlots> m_seconds{};
};

// The values and item labels of a chart's points as they are read from the texts of a list of
// sourceRows rows (the heading row counted): Formats::numericValue of a value text and
// itemLabel of an item name. Lists repeat their texts, and each distinct one is read once.
class PointTexts final
{
public:
    explicit PointTexts(int sourceRows)
        : m_sourceRows(sourceRows)
    {
    }

    double value(const QString &text);
    const QString &itemLabel(const QString &itemName);

private:
    // Short texts hashed in place (FNV-1a): QHash's seeded string hash costs a hundred times
    // more on some processors.
    struct TextHash {
        std::size_t operator()(const QString &text) const noexcept;
    };

    int m_sourceRows;
    std::unordered_map<QString, double, TextHash> m_values;
    std::unordered_map<QString, QString, TextHash> m_labels;
};

} // namespace kotohana
