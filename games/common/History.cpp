#include "History.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/TextFile.h"

namespace kotohana {
namespace {

bool sameMode(const HistoryLayout &layout, const QString &stored, const QString &chosen)
{
    if (layout.modeByFirstCharacter)
        return stored.left(1) == chosen.left(1);
    return stored == chosen;
}

QString answersOf(const HistoryLayout &layout, const HistoryRow &row)
{
    if (layout.answersFields.size() == 1)
        return row.value(layout.answersFields.front());
    double sum = 0;
    for (int field : layout.answersFields)
        sum += Formats::numericValue(row.value(field));
    return Formats::whole(sum);
}

} // namespace

HistoryLayout::HistoryLayout(HistoryTable table)
    : columns(table)
{
    using Source = HistoryColumn::Source;
    for (const HistoryColumn &column : table) {
        fields.push_back(column.kind);
        if (column.source == Source::Seconds)
            secondsField = column.field;
        if (column.source == Source::Mode || column.source == Source::ModeInitial) {
            modeField = column.field;
            modeByFirstCharacter = column.source == Source::ModeInitial;
        }
        if (column.source == Source::Topic)
            topicField = column.field;
        if (column.uses & HistoryColumn::Answered)
            answersFields.push_back(column.field);
        if (column.uses & (HistoryColumn::Best | HistoryColumn::BestAlone)) {
            achievementField = column.field;
            achievementInCountMode = (column.uses & HistoryColumn::BestAlone) != 0;
        }
    }
}

bool matches(const HistoryLayout &layout, const HistoryRow &row, const HistoryFilter &filter)
{
    if (layout.modeField >= 0 && !filter.mode.isEmpty() && !sameMode(layout, row.value(layout.modeField), filter.mode))
        return false;
    if (!filter.seconds.isEmpty() && row.value(layout.secondsField) != filter.seconds + QStringLiteral("秒"))
        return false;
    if (!filter.answers.isEmpty() && answersOf(layout, row) != filter.answers)
        return false;
    return true;
}

HistoryFile::HistoryFile(QString path, HistoryLayout layout)
    : m_path(std::move(path))
    , m_layout(std::move(layout))
{
}

HistoryFile::ReadResult HistoryFile::readAll() const
{
    ReadResult result;
    const TextFile::ReadResult file = TextFile::read(m_path);
    result.ok = file.ok;
    result.message = file.message;
    for (QStringView line : TextFile::lines(file.text)) {
        const ListFormat::Fields fields = ListFormat::splitFields(line);
        if (fields.size() != qsizetype(m_layout.fields.size()))
            continue; // not a line of this game's layout
        HistoryRow row;
        row.reserve(fields.size());
        for (QStringView field : fields)
            row.append(field.toString());
        result.rows.push_back(std::move(row));
    }
    return result;
}

FileResult HistoryFile::append(const HistoryRow &row, TextFile::Appended *appended) const
{
    ListFormat::LineWriter line;
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i) {
        const QString value = row.value(qsizetype(i));
        if (m_layout.fields[i] == HistoryLayout::Field::Number)
            line.number(float(Formats::numericValue(value)));
        else
            line.text(value);
    }
    return TextFile::appendLine(m_path, line.line(), appended);
}

FileResult HistoryFile::clear() const
{
    return TextFile::truncate(m_path);
}

} // namespace kotohana
