#include "TextFile.h"

#include "FileErrors.h"
#include "ShiftJis.h"
#include "System.h"

#include <QFile>

#include <algorithm>

namespace kotohana::TextFile {

LineReader::LineReader(const QString &path)
{
    m_file = new QFile(path);
    m_exists = m_file->exists();
    if (!m_exists)
        return;
    m_message = refusal(path, true);
    if (!m_message.isEmpty()) {
        m_ok = false;
        return;
    }
    if (const auto failed = failureOf(*m_file, path, [this] { return m_file->open(QIODevice::ReadOnly); })) {
        fail(*failed);
        return;
    }
    m_seen.stamp = System::stampOfOpen(m_file->handle());
}

LineReader::~LineReader()
{
    delete m_file;
}

void LineReader::fail(const QString &reason)
{
    m_ok = false;
    m_message = readFailure(m_file->fileName(), reason);
}

bool LineReader::readNextPiece()
{
    constexpr qsizetype kPiece = 48 * 1024;
    m_pending.remove(0, m_pieceBytes);
    m_pieceBytes = 0;
    // A piece ends just after a line feed: in Shift_JIS that byte is never part of a
    // character, so no character is cut in two. The bytes after it wait for the next piece.
    qsizetype end = -1;
    while (end < 0) {
        if (m_atEnd) {
            end = m_pending.size();
            break;
        }
        const qsizetype had = m_pending.size();
        m_pending.resize(had + kPiece);
        qint64 got = 0;
        const auto read = [&] {
            got = m_file->isOpen() ? m_file->read(m_pending.data() + had, kPiece) : 0;
            return got >= 0;
        };
        if (const auto failed = failureOf(*m_file, m_file->fileName(), read)) {
            fail(*failed);
            return false;
        }
        m_pending.resize(had + got);
        m_seen.digest.add(QByteArrayView(m_pending).sliced(had));
        m_atEnd = got == 0;
        // The bytes waiting from before hold no line feed: only the new ones are searched.
        const qsizetype feed = QByteArrayView(m_pending).sliced(had).lastIndexOf('\n');
        if (feed >= 0)
            end = had + feed + 1;
    }
    if (end == 0)
        return false;
    m_pieceBytes = end;
    m_at = 0;
    return true;
}

template <typename View>
View LineReader::lineAt(View piece)
{
    qsizetype end = piece.indexOf('\n', m_at);
    const bool lastOfFile = end < 0 && m_atEnd && m_pending.size() == m_pieceBytes;
    if (end < 0)
        end = piece.size();
    qsizetype lineEnd = end;
    // As lines() does: a CR before the LF goes with the line break.
    if (!lastOfFile && lineEnd > m_at && piece[lineEnd - 1] == '\r')
        --lineEnd;
    const View line = piece.sliced(m_at, lineEnd - m_at);
    m_lineStart = m_at;
    m_at = end + 1;
    return line;
}

bool LineReader::next(QStringView &line)
{
    while (m_at >= m_pieceSize) {
        if (!m_ok || !readNextPiece())
            return false;
        const qsizetype room = ShiftJis::decodedSize(m_pieceBytes);
        if (m_text.size() < room)
            m_text.resize(room);
        QChar *const begin = m_text.data();
        m_pieceSize = ShiftJis::decodeInto(begin, QByteArrayView(m_pending.constData(), m_pieceBytes), m_invalid) - begin;
    }
    line = lineAt(QStringView(m_text.constData(), m_pieceSize));
    return true;
}

bool LineReader::nextBytes(QByteArrayView &line)
{
    while (m_at >= m_pieceSize) {
        if (!m_ok || !readNextPiece())
            return false;
        m_pieceSize = m_pieceBytes;
    }
    line = lineAt(QByteArrayView(m_pending.constData(), m_pieceSize));
    return true;
}

QByteArrayView LineReader::bytesWithBreak() const
{
    return QByteArrayView(m_pending.constData() + m_lineStart, std::min(m_at, m_pieceSize) - m_lineStart);
}

} // namespace kotohana::TextFile
