#include "PlayRecordFile.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/TextFile.h"

namespace kotohana {
namespace {

ListFormat::LineWriter firstFiveFields(const PlayRecord &record)
{
    ListFormat::LineWriter writer;
    writer.text(record.date).text(record.time).text(record.item).number(record.seconds).text(record.diary);
    return writer;
}

} // namespace

PlayRecordFile::PlayRecordFile(QString path)
    : m_path(std::move(path))
{
}

QString PlayRecordFile::appendedLine(const PlayRecord &record)
{
    return firstFiveFields(record).nothing().line();
}

QString PlayRecordFile::rewrittenLine(const PlayRecord &record)
{
    return firstFiveFields(record).text(u"").line();
}

std::optional<PlayRecord> PlayRecordFile::parseLine(QStringView line)
{
    const ListFormat::Fields fields = ListFormat::splitFields(line);
    if (fields.size() != 6)
        return std::nullopt;
    const std::optional<float> seconds = ListFormat::parseNumber(fields[3]);
    if (!seconds)
        return std::nullopt;
    return PlayRecord{fields[0].toString(), fields[1].toString(), fields[2].toString(), *seconds,
                      fields[4].toString()};
}

PlayRecord PlayRecordFile::fromListRow(QStringView date, QStringView time, QStringView item,
                                       QStringView seconds, QStringView diary)
{
    return PlayRecord{date.toString(), time.toString(), item.toString(), float(Formats::numericValue(seconds)),
                      diary.toString()};
}

PlayRecordFile::ReadResult PlayRecordFile::readAll() const
{
    ReadResult result;
    TextFile::ReadResult file = TextFile::read(m_path);
    if (!file.ok) {
        result.ok = false;
        result.message = file.message;
        return result;
    }
    result.hadInvalidBytes = file.hadInvalidBytes;
    const QList<QStringView> lines = TextFile::lines(file.text);
    result.records.reserve(std::size_t(lines.size()));
    for (QStringView line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        if (std::optional<PlayRecord> record = parseLine(line))
            result.records.push_back(std::move(*record));
        else
            ++result.skippedLines;
    }
    return result;
}

FileResult PlayRecordFile::append(const PlayRecord &record) const
{
    return TextFile::appendLine(m_path, appendedLine(record));
}

FileResult PlayRecordFile::rewrite(const std::vector<PlayRecord> &records) const
{
    QStringList lines;
    lines.reserve(qsizetype(records.size()));
    for (const PlayRecord &record : records)
        lines.append(rewrittenLine(record));
    return TextFile::writeLines(m_path, lines);
}

FileResult PlayRecordFile::truncate() const
{
    return TextFile::truncate(m_path);
}

} // namespace kotohana
