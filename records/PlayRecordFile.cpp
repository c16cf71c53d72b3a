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

// The texts that repeat all over a file, a game's name and the summary a game writes, kept
// once each: years of plays then hold a few hundred texts instead of one per record. Texts a
// user typed rarely repeat; once the pool is full, new texts are simply not pooled.
class TextPool final
{
public:
    QString take(QStringView text)
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t slot = qHash(text) & mask;; slot = (slot + 1) & mask) {
            QString &held = m_slots[slot];
            if (held.isNull()) {
                if (m_used >= kCapacity)
                    return text.toString();
                ++m_used;
                held = text.toString();
                return held;
            }
            if (held == text)
                return held;
        }
    }

private:
    static constexpr std::size_t kCapacity = 2048; // half the slots, so that a search ends soon
    std::vector<QString> m_slots = std::vector<QString>(2 * kCapacity);
    std::size_t m_used = 0;
};

// The record of one line's fields, or nothing when they are not a record. Neighbouring plays
// mostly share their day: sharing it with the record before saves most of the date texts.
std::optional<PlayRecord> fromFields(const ListFormat::Fields &fields, const PlayRecord *before, TextPool *pool)
{
    if (fields.size() != 6)
        return std::nullopt;
    const std::optional<float> seconds = ListFormat::parseNumber(fields[3]);
    if (!seconds || !(*seconds >= 0 && *seconds <= PlayRecord::kMostSeconds))
        return std::nullopt;
    QString date = before && fields[0] == before->date ? before->date : fields[0].toString();
    const auto pooled = [pool](QStringView field) { return pool ? pool->take(field) : field.toString(); };
    return PlayRecord{std::move(date), fields[1].toString(), pooled(fields[2]), *seconds, pooled(fields[4])};
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

PlayRecord PlayRecordFile::fromListRow(QStringView date, QStringView time, QStringView item, QStringView seconds, QStringView diary)
{
    return PlayRecord{date.toString(), time.toString(), item.toString(), float(Formats::numericValue(seconds)), diary.toString()};
}

std::optional<PlayRecord> PlayRecordFile::recordOf(QStringView line, const PlayRecord *before)
{
    return fromFields(ListFormat::splitFields(line), before, nullptr);
}

PlayRecordFile::ReadResult PlayRecordFile::readAll(TextFile::Fingerprint *seen) const
{
    ReadResult result;
    TextFile::LineReader file(m_path);
    if (!file.ok()) {
        result.ok = false;
        result.message = file.message();
        return result;
    }
    // A record line takes some sixty bytes; room for all at once spares the copies of growing.
    result.records.reserve(std::size_t(file.byteSize() / 48 + 16));
    QStringView line;
    TextPool pool;
    while (file.next(line)) {
        const ListFormat::Fields fields = ListFormat::splitFields(line);
        if (fields.isEmpty())
            continue; // a blank line holds nothing to lose
        const PlayRecord *before = result.records.empty() ? nullptr : &result.records.back();
        if (std::optional<PlayRecord> record = fromFields(fields, before, &pool))
            result.records.push_back(std::move(*record));
        else
            ++result.skippedLines;
    }
    if (seen)
        *seen = file.seen();
    result.hadInvalidBytes = file.hadInvalidBytes();
    result.otherEncoding = result.hadInvalidBytes && TextFile::isUtf8(m_path);
    if (!file.ok()) {
        // Cut short: the records read so far are not the file, and a rewrite from them would lose the rest.
        result.ok = false;
        result.message = file.message();
    }
    return result;
}

QString PlayRecordFile::startNotice(const ReadResult &read)
{
    QStringList notices;
    if (read.otherEncoding) {
        notices.append(QStringLiteral("データ.txt は Shift_JIS ではなく、別の文字コード（UTF-8）で書かれているようです。"
                                      "日本語の部分は正しく表示されません。"
                                      "Shift_JIS で保存し直してから、もう一度起動してください。"));
    } else if (read.hadInvalidBytes) {
        notices.append(QStringLiteral("データ.txt に Shift_JIS として読めない文字がありました。"
                                      "その文字は「？」などに置き換えて表示しています。"));
    }
    if (read.skippedLines > 0)
        notices.append(QStringLiteral("データ.txt の %1 行を記録として読めませんでした。").arg(read.skippedLines));
    if (notices.isEmpty())
        return {};
    notices.append(QStringLiteral("ファイルはそのまま残してあります。"));
    return notices.join(u'\n');
}

FileResult PlayRecordFile::append(const PlayRecord &record, TextFile::Appended *appended) const
{
    return TextFile::appendLine(m_path, appendedLine(record), appended);
}

QStringList PlayRecordFile::rewrittenLines(const std::vector<PlayRecord> &records)
{
    QStringList lines;
    lines.reserve(qsizetype(records.size()));
    for (const PlayRecord &record : records)
        lines.append(rewrittenLine(record));
    return lines;
}

FileResult PlayRecordFile::rewrite(const std::vector<PlayRecord> &records) const
{
    return TextFile::writeLines(m_path, rewrittenLines(records));
}

FileResult PlayRecordFile::truncate() const
{
    return TextFile::truncate(m_path);
}

} // namespace kotohana
