#include "TextFile.h"

#include "FileErrors.h"
#include "ShiftJis.h"
#include "System.h"

#include <QFile>
#include <QStringConverter>

#include <algorithm>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kotohana::TextFile {
namespace {

// Cuts the file back to `size` while it ends at `end`, as this program's write left it; false
// when it does not (another program appended since), and the file is left as it is.
bool cutOwnEnd(int handle, qint64 size, qint64 end)
{
    const System::Stamp now = System::stampOfOpen(handle);
    return now.exists && now.size == end && System::cutTo(handle, size);
}

} // namespace

void Digest::add(QByteArrayView bytes)
{
    m_length += bytes.size();
    if (!m_tail.isEmpty()) {
        const qsizetype taken = std::min(kBlock - m_tail.size(), bytes.size());
        m_tail += bytes.first(taken);
        bytes = bytes.sliced(taken);
        if (m_tail.size() < kBlock)
            return;
        m_blocks = XXH3_64bits_withSeed(m_tail.constData(), std::size_t(kBlock), m_blocks);
        m_tail.clear();
    }
    for (; bytes.size() >= kBlock; bytes = bytes.sliced(kBlock))
        m_blocks = XXH3_64bits_withSeed(bytes.data(), std::size_t(kBlock), m_blocks);
    m_tail = bytes.toByteArray();
}

quint64 Digest::value() const
{
    return XXH3_64bits_withSeed(m_tail.constData(), std::size_t(m_tail.size()), m_blocks);
}

std::optional<Fingerprint> fingerprint(const QString &path)
{
    Fingerprint result;
    QFile file(path);
    if (!file.exists())
        return result;
    if (!refusal(path, true).isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    result.stamp = System::stampOfOpen(file.handle());
    QByteArray piece(64 * 1024, Qt::Uninitialized);
    for (qint64 got; (got = file.read(piece.data(), piece.size())) != 0;) {
        if (got < 0)
            return std::nullopt;
        result.digest.add(QByteArrayView(piece).first(got));
    }
    return result;
}

bool tooLarge(const QString &path)
{
    const System::Status status = System::statusOf(path);
    return status.kind == System::Kind::File && status.stamp.size > kLargestFile;
}

ReadResult read(const QString &path)
{
    ReadResult result;
    QFile file(path);
    result.exists = file.exists();
    if (!result.exists) {
        result.ok = true;
        return result;
    }
    result.message = refusal(path, true);
    if (!result.message.isEmpty())
        return result;
    if (const auto failed = failureOf(file, path, [&] { return file.open(QIODevice::ReadOnly); })) {
        result.message = readFailure(path, *failed);
        return result;
    }
    const QByteArray bytes = file.readAll();
    DecodedText decoded = ShiftJis::decode(bytes);
    result.text = std::move(decoded.text);
    result.hadInvalidBytes = decoded.hadInvalidBytes;
    result.ok = true;
    return result;
}

QList<QStringView> lines(QStringView text)
{
    QList<QStringView> result;
    const QChar *const data = text.data();
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = size;
        qsizetype lineEnd = end;
        if (end < size && lineEnd > start && data[lineEnd - 1] == u'\r')
            --lineEnd;
        result.append(QStringView(data + start, lineEnd - start));
        start = end + 1;
    }
    return result;
}

bool isUtf8(const QString &path)
{
    if (!refusal(path, true).isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kPiece = 64 * 1024;
    bool beyondAscii = false;
    QByteArray pending;
    while (true) {
        const QByteArray read = file.read(kPiece);
        pending += read;
        // Pieces end after a line feed, which is never part of a UTF-8 sequence.
        const qsizetype end = read.isEmpty() ? pending.size() : pending.lastIndexOf('\n') + 1;
        const QByteArrayView piece(pending.constData(), end);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(piece);
        if (utf8.hasError())
            return false;
        beyondAscii = beyondAscii || std::any_of(piece.begin(), piece.end(), [](char c) { return c & 0x80; });
        pending.remove(0, end);
        if (read.isEmpty())
            return beyondAscii && file.error() == QFileDevice::NoError;
    }
}

Stamp stampOf(const QString &path)
{
    return System::statusOf(path).stamp;
}

FileResult appendLine(const QString &path, QStringView line, Appended *appended)
{
    EncodedText encoded = ShiftJis::encode(line);
    if (!encoded.ok())
        return unencodable(*encoded.unencodable);
    if (path.isEmpty())
        return refusedName();
    if (FileResult refused = writeRefusal(path); !refused.ok())
        return refused;

    QFile file(path);
    // Append mode: the system puts each write at the end of the file as it is at that moment,
    // after whatever another program has just appended, and never over it.
    const auto opened = [&] { return file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered); };
    if (const auto failed = failureOf(file, path, opened))
        return writeFailure(path, *failed);
    const int handle = file.handle();
    // A hand-edited file may lack the final line break; without one the new record
    // would be glued to the last line and both would be lost to the readers.
    char last = '\n';
    const auto lastByte = [&] {
        const System::Stamp before = System::stampOfOpen(handle);
        return before.exists && (before.size == 0 || System::readAt(handle, &last, 1, before.size - 1) == 1);
    };
    if (const auto failed = failureOf(file, path, lastByte))
        return writeFailure(path, *failed);
    QByteArray bytes;
    bytes.reserve(encoded.bytes.size() + 4);
    if (last != '\n')
        bytes += "\r\n";
    bytes += encoded.bytes;
    bytes += "\r\n";
    qint64 count = 0;
    const auto written = [&] {
        count = file.write(bytes);
        return count == bytes.size();
    };
    // After a write in append mode the file's offset is the end of what it wrote.
    const auto end = [&] { return System::offsetOf(handle); };
    if (const auto failed = failureOf(file, path, written, shortWriteReason())) {
        if (count > 0)
            cutOwnEnd(handle, end() - count, end()); // no half line is left behind
        return writeFailure(path, *failed);
    }
    if (appended) {
        appended->at = end() - bytes.size();
        appended->bytes = bytes;
        appended->after = System::stampOfOpen(handle);
    }
    return FileResult::success();
}

FileResult truncate(const QString &path)
{
    if (path.isEmpty())
        return refusedName();
    if (FileResult refused = writeRefusal(path); !refused.ok())
        return refused;
    QFile file(path);
    if (const auto failed = failureOf(file, path, [&] { return file.open(QIODevice::WriteOnly | QIODevice::Truncate); }))
        return writeFailure(path, *failed);
    return FileResult::success();
}

FileResult takeBack(const QString &path, const Appended &appended)
{
    if (path.isEmpty())
        return refusedName();
    if (FileResult refused = writeRefusal(path); !refused.ok())
        return refused;
    QFile file(path);
    if (const auto failed = failureOf(file, path, [&] { return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered); }))
        return writeFailure(path, *failed);
    const qint64 end = appended.at + appended.bytes.size();
    QByteArray held(appended.bytes.size(), '\0');
    const bool ours = System::readAt(file.handle(), held.data(), held.size(), appended.at) == held.size() && held == appended.bytes;
    if (!ours || !cutOwnEnd(file.handle(), appended.at, end))
        return writeFailure(path,
                            QStringLiteral("書き足した行を取り消せませんでした。その後ほかのソフトがファイルを変更しています"));
    return FileResult::success();
}

} // namespace kotohana::TextFile
