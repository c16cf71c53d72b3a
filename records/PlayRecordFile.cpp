#include "PlayRecordFile.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/ShiftJis.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kotohana {
namespace {

ListFormat::LineWriter firstFiveFields(const PlayRecord &record)
{
    ListFormat::LineWriter writer;
    writer.text(record.date).text(record.time).text(record.item).number(record.seconds).text(record.diary);
    return writer;
}

// A field's Shift_JIS bytes as text. Most fields are digits, dates and times: ASCII, which
// Shift_JIS writes as itself.
QString decoded(QByteArrayView bytes, bool &invalid)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QString text(ShiftJis::decodedSize(bytes.size()), Qt::Uninitialized);
    QChar *const begin = text.data();
    text.truncate(ShiftJis::decodeInto(begin, bytes, invalid) - begin);
    return text;
}

bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && (a.isEmpty() || std::memcmp(a.data(), b.data(), std::size_t(a.size())) == 0);
}

// A quick hash of a short text's bytes, eight at a time.
std::size_t hashOf(QByteArrayView bytes)
{
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ULL;
    std::uint64_t hash = std::uint64_t(bytes.size()) * kMix;
    const char *at = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 8; left -= 8, at += 8) {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        hash = std::rotl(hash ^ word, 29) * kMix;
    }
    if (left > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, std::size_t(left));
        hash = std::rotl(hash ^ word, 29) * kMix;
    }
    return std::size_t(hash ^ (hash >> 32));
}

// The texts that repeat all over a file, a game's name and the summary a game writes, kept
// once each: years of plays then hold a few hundred texts instead of one per record. Each is
// known by its bytes, so that it is decoded once. Texts a user typed rarely repeat; once the
// pool is full, new texts are simply not pooled.
class TextPool final
{
public:
    QString take(QByteArrayView bytes, bool &invalid)
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t slot = hashOf(bytes) & mask;; slot = (slot + 1) & mask) {
            Slot &held = m_slots[slot];
            if (held.text.isNull()) {
                bool invalidHere = false;
                QString text = decoded(bytes, invalidHere);
                invalid = invalid || invalidHere;
                // A text with bytes that are not Shift_JIS is not kept: its line is read again
                // as text, where those bytes read as the bytes after them make them.
                if (m_used >= kCapacity || invalidHere)
                    return text;
                ++m_used;
                held = {bytes.toByteArray(), std::move(text)};
                return held.text;
            }
            if (sameBytes(held.bytes, bytes))
                return held.text;
        }
    }

private:
    struct Slot {
        QByteArray bytes;
        QString text;
    };
    static constexpr std::size_t kCapacity = 2048; // half the slots, so that a search ends soon
    std::vector<Slot> m_slots = std::vector<Slot>(2 * kCapacity);
    std::size_t m_used = 0;
};

// Whether the line's bytes outside its first kept fields (a sixth field, what stands between a
// closing quote and its comma, a whole line that is no record) are not all Shift_JIS: they are
// never shown, but a rewrite would drop them, so they count as much as a record's.
bool undecodableBesides(QByteArrayView line, const ListFormat::ByteFields &fields, qsizetype kept)
{
    const auto beyondAscii = [](QByteArrayView bytes) {
        return std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
    };
    qsizetype from = 0;
    bool outside = false;
    for (qsizetype i = 0; i < kept && !outside; ++i) {
        const qsizetype start = fields[i].data() - line.data();
        outside = beyondAscii(line.sliced(from, start - from));
        from = start + fields[i].size();
    }
    if (!outside && !beyondAscii(line.sliced(from)))
        return false;
    bool invalid = false;
    decoded(line, invalid);
    return invalid;
}

std::optional<float> secondsOf(QStringView field)
{
    const std::optional<float> seconds = ListFormat::parseNumber(field);
    if (!seconds || !(*seconds >= 0 && *seconds <= PlayRecord::kMostSeconds))
        return std::nullopt;
    return seconds;
}

// The seconds as the games write them: up to seven digits, then up to three after a point.
// Such a number is an integer over a power of ten, both exact in a double, and so is their
// quotient to within half a unit of the double: far closer than any number of that shape lies
// to a point halfway between two floats, so the float it rounds to is the one the text is
// nearest, as a full reading gives.
std::optional<float> plainSeconds(QByteArrayView field)
{
    std::int64_t whole = 0;
    qsizetype digits = 0;
    qsizetype point = -1;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '.' && point < 0 && digits > 0) {
            point = i;
        } else if (c >= '0' && c <= '9' && digits < 10) {
            whole = whole * 10 + (c - '0');
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    const qsizetype decimals = point < 0 ? 0 : field.size() - point - 1;
    if (digits == 0 || digits - decimals > 7 || decimals > 3 || (point >= 0 && decimals == 0))
        return std::nullopt;
    constexpr double kTens[] = {1, 10, 100, 1000};
    return float(double(whole) / kTens[decimals]);
}

std::optional<float> secondsOf(QByteArrayView field, bool &invalid)
{
    if (const std::optional<float> seconds = plainSeconds(field))
        return *seconds <= PlayRecord::kMostSeconds ? seconds : std::nullopt;
    // Any other number is a few ASCII characters, read where they stand.
    constexpr qsizetype kLongest = 64;
    if (field.size() > kLongest || !std::all_of(field.begin(), field.end(), [](char c) { return uchar(c) < 0x80; }))
        return secondsOf(decoded(field, invalid));
    char16_t text[kLongest];
    std::copy(field.begin(), field.end(), text);
    return secondsOf(QStringView(text, field.size()));
}

// The record of one line's fields, or nothing when they are not a record. Neighbouring plays
// mostly share their day: sharing it with the record before saves most of the date texts.
std::optional<PlayRecord> fromFields(const ListFormat::Fields &fields, const PlayRecord *before)
{
    if (fields.size() != 6)
        return std::nullopt;
    const std::optional<float> seconds = secondsOf(fields[3]);
    if (!seconds)
        return std::nullopt;
    QString date = before && fields[0] == before->date ? before->date : fields[0].toString();
    return PlayRecord{std::move(date), fields[1].toString(), fields[2].toString(), *seconds, fields[4].toString()};
}

// The five fields a record keeps, as the program writes its lines: "date","time","item",
// seconds,"diary", then nothing or "" (no blanks, no other quotes). Found with a few searches;
// nothing when the line has any other shape.
struct WrittenLine {
    QByteArrayView date;
    QByteArrayView time;
    QByteArrayView item;
    QByteArrayView seconds;
    QByteArrayView diary;
};

std::optional<WrittenLine> writtenLine(QByteArrayView line)
{
    const char *at = line.data();
    const char *const end = at + line.size();
    const auto next = [&](char c) { return at != end && *at++ == c; };
    const auto upTo = [&](char c, QByteArrayView &field) {
        const auto *found = static_cast<const char *>(std::memchr(at, c, std::size_t(end - at)));
        if (!found)
            return false;
        field = QByteArrayView(at, found - at);
        at = found + 1;
        return true;
    };
    WrittenLine fields;
    if (!(next('"') && upTo('"', fields.date) && next(',') && next('"') && upTo('"', fields.time) && next(',') && next('"')
          && upTo('"', fields.item) && next(',') && upTo(',', fields.seconds)
          && !std::memchr(fields.seconds.data(), '"', std::size_t(fields.seconds.size())) && next('"') && upTo('"', fields.diary)
          && next(',')))
        return std::nullopt;
    const QByteArrayView rest(at, end - at);
    if (!rest.isEmpty() && rest != "\"\"")
        return std::nullopt;
    return fields;
}

// Builds the records of a file from its lines' bytes.
class RecordReader final
{
public:
    explicit RecordReader(qsizetype fileSize)
    {
        // A record line takes some sixty bytes; room for all at once spares the copies of growing.
        m_result.records.reserve(std::size_t(fileSize / 48 + 16));
    }

    // The line, and the same with its line break.
    void read(QByteArrayView line, QByteArrayView withBreak)
    {
        if (!readBytes(line))
            readText(withBreak);
    }

    PlayRecordFile::ReadResult take()
    {
        m_result.hadInvalidBytes = m_invalid;
        return std::move(m_result);
    }

private:
    // False when some of the line's bytes are not Shift_JIS: what they read as depends on the
    // bytes after them, so the line is then read as text, as a whole.
    bool readBytes(QByteArrayView line)
    {
        bool invalid = false;
        // Most lines are as the program writes them: their fields are found at once, and
        // nothing beside them needs a look.
        if (const std::optional<WrittenLine> written = writtenLine(line)) {
            const std::optional<float> seconds = secondsOf(written->seconds, invalid);
            if (seconds && !invalid)
                return add(written->date, written->time, written->item, *seconds, written->diary);
        }
        const ListFormat::ByteFields fields = ListFormat::splitFields(line);
        if (fields.isEmpty())
            return true; // a blank line holds nothing to lose
        const std::optional<float> seconds = fields.size() == 6 ? secondsOf(fields[3], invalid) : std::nullopt;
        if (invalid || undecodableBesides(line, fields, seconds ? 5 : 0))
            return false;
        if (!seconds) {
            ++m_result.skippedLines;
            return true;
        }
        return add(fields[0], fields[1], fields[2], *seconds, fields[4]);
    }

    bool add(QByteArrayView date, QByteArrayView time, QByteArrayView item, float seconds, QByteArrayView diary)
    {
        std::vector<PlayRecord> &records = m_result.records;
        // Neighbouring plays mostly share their day: they share its text too.
        const bool sameDay = m_lastDate && sameBytes(date, *m_lastDate);
        bool invalid = false;
        PlayRecord record{sameDay ? records.back().date : decoded(date, invalid), decoded(time, invalid),
                          m_pool.take(item, invalid), seconds, m_pool.take(diary, invalid)};
        if (invalid)
            return false;
        if (!sameDay)
            m_lastDate = date.toByteArray();
        records.push_back(std::move(record));
        return true;
    }

    void readText(QByteArrayView withBreak)
    {
        const QString text = decoded(withBreak, m_invalid);
        QStringView line(text);
        if (line.endsWith(u'\n')) {
            line.chop(1);
            if (line.endsWith(u'\r'))
                line.chop(1);
        }
        const ListFormat::Fields fields = ListFormat::splitFields(line);
        if (fields.isEmpty())
            return;
        std::vector<PlayRecord> &records = m_result.records;
        std::optional<PlayRecord> record = fromFields(fields, records.empty() ? nullptr : &records.back());
        if (!record) {
            ++m_result.skippedLines;
            return;
        }
        records.push_back(std::move(*record));
        m_lastDate.reset();
    }

    PlayRecordFile::ReadResult m_result;
    std::optional<QByteArray> m_lastDate; // the bytes of the last record's date, when it was read from bytes
    TextPool m_pool;
    bool m_invalid = false;
};

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
    return fromFields(ListFormat::splitFields(line), before);
}

PlayRecordFile::ReadResult PlayRecordFile::readAll(TextFile::Fingerprint *seen) const
{
    TextFile::LineReader file(m_path);
    // A folder that may not be searched hides its files: データ.txt is not missing then, it
    // cannot be read.
    const QFileInfo folder(QFileInfo(m_path).absolutePath());
    if (!file.exists() && folder.isDir() && !folder.isExecutable()) {
        ReadResult failed;
        failed.ok = false;
        failed.message = QStringLiteral(
                             "フォルダ「%1」を読み込めないため、記録を読み込めませんでした。\n（アクセスが許可されていません）")
                             .arg(QDir::toNativeSeparators(folder.filePath()));
        return failed;
    }
    if (!file.ok()) {
        ReadResult failed;
        failed.ok = false;
        failed.message = file.message();
        return failed;
    }
    RecordReader reader(file.byteSize());
    QByteArrayView line;
    while (file.nextBytes(line))
        reader.read(line, file.bytesWithBreak());
    ReadResult result = reader.take();
    if (seen)
        *seen = file.seen();
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
