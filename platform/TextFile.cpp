#include "TextFile.h"

#include "ShiftJis.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kotohana::TextFile {
namespace {

QString displayName(const QString &path)
{
    return QFileInfo(path).fileName();
}

FileResult writeFailure(const QString &path, const QString &reason)
{
    return FileResult::failed(QStringLiteral("ファイル「%1」に書き込めませんでした。\n（%2）")
                                  .arg(displayName(path), reason));
}

// A write that stopped short usually means a full disk; the system's own text says little then.
QString shortWriteReason()
{
    return QStringLiteral("書き込みが途中で止まりました。ディスクの空き容量が足りない可能性があります");
}

FileResult unencodable(char32_t character)
{
    return {FileResult::Status::Unencodable, character,
            QStringLiteral("%1 はこのソフトのファイルに保存できない文字です。")
                .arg(ShiftJis::describeCharacter(character))};
}

FileResult replaceWith(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows in write()'s count; a buffered
    // flush can lose it and a cut-off file would take the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailure(path, file.errorString());
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        file.cancelWriting();
        return writeFailure(path, shortWriteReason());
    }
    if (!file.commit())
        return writeFailure(path, file.errorString());
    return FileResult::success();
}

} // namespace

ReadResult read(const QString &path)
{
    ReadResult result;
    QFile file(path);
    result.exists = file.exists();
    if (!result.exists) {
        result.ok = true;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = QStringLiteral("ファイル「%1」を読み込めませんでした。\n（%2）")
                             .arg(displayName(path), file.errorString());
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

LineReader::LineReader(const QString &path)
{
    m_file = new QFile(path);
    m_exists = m_file->exists();
    if (!m_exists)
        return;
    if (!m_file->open(QIODevice::ReadOnly)) {
        m_ok = false;
        m_message = QStringLiteral("ファイル「%1」を読み込めませんでした。\n（%2）").arg(displayName(path), m_file->errorString());
        return;
    }
    const qint64 size = m_file->size();
    // Mapped, the file is read straight from the system's cache; what cannot be mapped (an
    // empty file, a pipe) is read whole.
    if (const uchar *mapped = size > 0 ? m_file->map(0, size) : nullptr)
        m_bytes = QByteArrayView(mapped, size);
    else
        m_bytes = m_whole = m_file->readAll();
}

LineReader::~LineReader()
{
    delete m_file;
}

bool LineReader::decodeNextPiece()
{
    constexpr qsizetype kPiece = 48 * 1024;
    if (m_read >= m_bytes.size())
        return false;
    // A piece ends just after a line feed: in Shift_JIS that byte is never part of a
    // character, so no character is cut in two.
    qsizetype end = std::min(m_read + kPiece, m_bytes.size());
    if (end < m_bytes.size()) {
        const qsizetype feed = m_bytes.sliced(m_read, end - m_read).lastIndexOf('\n');
        if (feed >= 0) {
            end = m_read + feed + 1;
        } else {
            const qsizetype later = m_bytes.sliced(end).indexOf('\n');
            end = later >= 0 ? end + later + 1 : m_bytes.size();
        }
    }
    const QByteArrayView piece = m_bytes.sliced(m_read, end - m_read);
    m_read = end;
    QStringDecoder converter = ShiftJis::decoder();
    const qsizetype room = converter.requiredSpace(piece.size());
    if (m_text.size() < room)
        m_text.resize(room);
    QChar *const begin = m_text.data();
    QChar *const finish = converter.appendToBuffer(begin, piece);
    if (converter.hasError()) {
        m_invalid = true;
        ShiftJis::mendSubstitutes(begin, finish);
    }
    m_textSize = finish - begin;
    m_at = 0;
    return true;
}

bool LineReader::next(QStringView &line)
{
    while (m_at >= m_textSize) {
        if (!m_ok || !decodeNextPiece())
            return false;
    }
    const QStringView text(m_text.constData(), m_textSize);
    qsizetype end = text.indexOf(u'\n', m_at);
    const bool lastOfFile = end < 0 && m_read >= m_bytes.size();
    if (end < 0)
        end = m_textSize;
    qsizetype lineEnd = end;
    // As lines() does: a CR before the LF goes with the line break.
    if (!lastOfFile && lineEnd > m_at && text[lineEnd - 1] == u'\r')
        --lineEnd;
    line = text.sliced(m_at, lineEnd - m_at);
    m_at = end + 1;
    return true;
}

FileResult writeText(const QString &path, QStringView text)
{
    EncodedText encoded = ShiftJis::encode(text);
    if (!encoded.ok())
        return unencodable(*encoded.unencodable);
    return replaceWith(path, encoded.bytes);
}

FileResult writeLines(const QString &path, const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1StringView("\r\n");
    }
    return writeText(path, text);
}

FileResult appendLine(const QString &path, QStringView line)
{
    EncodedText encoded = ShiftJis::encode(line);
    if (!encoded.ok())
        return unencodable(*encoded.unencodable);

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return writeFailure(path, file.errorString());
    const qint64 oldSize = file.size();
    QByteArray bytes;
    bytes.reserve(encoded.bytes.size() + 4);
    // A hand-edited file may lack the final line break; without one the new record
    // would be glued to the last line and both would be lost to the readers.
    if (oldSize > 0) {
        char last = 0;
        if (!file.seek(oldSize - 1) || !file.getChar(&last))
            return writeFailure(path, file.errorString());
        if (last != '\n')
            bytes += "\r\n";
    }
    bytes += encoded.bytes;
    bytes += "\r\n";
    if (!file.seek(oldSize) || file.write(bytes) != bytes.size()) {
        file.resize(oldSize); // no half line is left behind
        return writeFailure(path, shortWriteReason());
    }
    return FileResult::success();
}

FileResult truncate(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return writeFailure(path, file.errorString());
    return FileResult::success();
}

qint64 size(const QString &path)
{
    return QFileInfo(path).size();
}

FileResult cutBack(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.resize(size))
        return writeFailure(path, file.errorString());
    return FileResult::success();
}

} // namespace kotohana::TextFile
