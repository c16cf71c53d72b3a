#include "TextFile.h"

#include "ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringConverter>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kotohana::TextFile {
namespace {

QString displayName(const QString &path)
{
    return QFileInfo(path).fileName();
}

FileResult writeFailure(const QString &path, const QString &reason)
{
    return FileResult::failed(QStringLiteral("ファイル「%1」に書き込めませんでした。\n（%2）").arg(displayName(path), reason));
}

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」を読み込めませんでした。\n（%2）").arg(displayName(path), reason);
}

// The system's error number behind a failed operation on the file. errno as the failing call
// left it counts when Qt took it as it was (Qt's text for it is the text Qt gave) or took no
// error at all (a write cut short by a full disk returns the short count): a warning Qt prints
// on the way (its first one reads the logging set-up) can change errno before it is read. Qt
// refuses a folder in the file's place before any system call: that cause, a file that may
// not be written and a missing folder are read from the file system.
int errorNumber(int captured, const QFileDevice &file, const QString &path)
{
    if (captured != 0 && (file.error() == QFileDevice::NoError || qt_error_string(captured) == file.errorString()))
        return captured;
    const QFileInfo info(path);
    if (info.isDir())
        return EISDIR;
    if (!info.dir().exists())
        return ENOENT;
    if (info.exists() && !info.isWritable())
        return EACCES;
    return 0;
}

// Why a file operation failed, in the user's words. A cause not named here keeps the given
// text, or else Qt's own.
QString reason(int captured, const QFileDevice &file, const QString &path, const QString &otherwise)
{
    switch (errorNumber(captured, file, path)) {
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが許可されていません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き容量が足りません");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("ファイルまたはフォルダが見つかりません");
    case EFBIG:
        return QStringLiteral("ファイルが大きくなりすぎました。ファイルの大きさの上限を超えています");
    default:
        return otherwise.isEmpty() ? file.errorString() : otherwise;
    }
}

// Runs one operation on the file; when it fails, the reason, taken from the system's error
// number before anything else can change it.
template <typename Operation>
std::optional<QString> failureOf(const QFileDevice &file, const QString &path, Operation operation, const QString &otherwise = {})
{
    errno = 0;
    if (operation())
        return std::nullopt;
    const int error = errno;
    return reason(error, file, path, otherwise);
}

// A write that stopped short without a cause from the system usually means a full disk.
QString shortWriteReason()
{
    return QStringLiteral("書き込みが途中で止まりました。ディスクの空き容量が足りない可能性があります");
}

Stamp stampFrom(const struct stat &status)
{
    Stamp result;
    result.exists = true;
    result.size = qint64(status.st_size);
    result.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    result.changed = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    result.device = quint64(status.st_dev);
    result.inode = quint64(status.st_ino);
    return result;
}

Stamp stampOfOpen(int handle)
{
    struct stat status {
    };
    return ::fstat(handle, &status) == 0 ? stampFrom(status) : Stamp{};
}

// Cuts the file back to `size` while it ends at `end`, as this program's write left it; false
// when it does not (another program appended since), and the file is left as it is.
bool cutOwnEnd(int handle, qint64 size, qint64 end)
{
    struct stat status {
    };
    return ::fstat(handle, &status) == 0 && qint64(status.st_size) == end && ::ftruncate(handle, off_t(size)) == 0;
}

// DataFolder gives an empty path for a name it does not accept; such a file is never written.
FileResult refusedName()
{
    return FileResult::failed(QStringLiteral("ファイル名に使えない文字を含むため、ファイルに書き込みませんでした。"));
}

// Why the file at the path is not to be opened: it is a folder, a device or a pipe (reading one
// would never end, or block; writing one would lose what is written), or it is larger than any
// file of the program's could be and reading it would fill the memory. Empty when it may be
// opened, or when it is missing and opening it will say so.
QString refusal(const QString &path, bool forReading)
{
    struct stat status {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    if (S_ISDIR(status.st_mode)) {
        const QString reason = QStringLiteral("同じ名前のフォルダがあります");
        return forReading ? readFailure(path, reason) : writeFailure(path, reason).message;
    }
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("ファイル「%1」は普通のファイルではありません（フォルダや装置などです）。").arg(displayName(path));
    if (forReading && qint64(status.st_size) > kLargestFile)
        return QStringLiteral("ファイル「%1」は %2 MB を超えているため、読み込みませんでした。")
            .arg(displayName(path))
            .arg(kLargestFile >> 20);
    return {};
}

// A write refused before it starts, or success.
FileResult writeRefusal(const QString &path)
{
    const QString refused = refusal(path, false);
    return refused.isEmpty() ? FileResult::success() : FileResult::failed(refused);
}

FileResult unencodable(char32_t character)
{
    return {FileResult::Status::Unencodable, character,
            QStringLiteral("%1 はこのソフトのファイルに保存できない文字です。").arg(ShiftJis::describeCharacter(character))};
}

// A fresh temporary file beside the file a save replaces, named after it with the save mark
// and six random letters. Open for writing, unbuffered, so that a short write (a full disk)
// shows in write()'s count; a buffered flush can lose it and a cut-off file would take the
// old one's place.
bool openTemporary(QFile &file, const QString &path)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = path + QString::fromUtf16(kSaveMark);
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
        file.setFileName(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (QFileInfo::exists(name))
            continue; // taken: another name
        return false;
    }
    return false;
}

// A file's new content written whole into a temporary file beside it, not yet in its place.
struct Staged {
    QString temporary;
    QString target;
};

// The first half of a replace: the bytes go into a fresh temporary file beside the file at the
// path (beside the file a link there leads to: the link stays).
FileResult stage(const QString &path, const QByteArray &bytes, Staged &staged)
{
    if (path.isEmpty())
        return refusedName();
    if (FileResult refused = writeRefusal(path); !refused.ok())
        return refused;
    const QFileInfo given(path);
    const QString target = given.isSymLink() && given.exists() ? given.canonicalFilePath() : path;
    QFile file;
    // A file made read-only is not replaced, though its folder would allow it.
    if (QFileInfo(target).exists() && !QFileInfo(target).isWritable())
        return writeFailure(target, reason(EACCES, file, target, {}));
    if (const auto failed = failureOf(file, target, [&] { return openTemporary(file, target); }))
        return writeFailure(target, *failed);
    const auto written = [&] {
        return file.write(bytes) == bytes.size() && file.size() == bytes.size() && ::fsync(file.handle()) == 0;
    };
    if (const auto failed = failureOf(file, target, written, shortWriteReason())) {
        file.close();
        QFile::remove(file.fileName());
        return writeFailure(target, *failed);
    }
    staged = {file.fileName(), target};
    return FileResult::success();
}

// The second half: the temporary file takes the file's place in one step. On failure it is
// removed and the file stays as it was.
FileResult putInPlace(const Staged &staged)
{
    QFile file(staged.temporary);
    // The file keeps its permissions; a new one gets the usual ones of a new file.
    if (QFileInfo::exists(staged.target))
        file.setPermissions(QFileInfo(staged.target).permissions());
    const auto replaced = [&] {
        return ::rename(QFile::encodeName(staged.temporary).constData(), QFile::encodeName(staged.target).constData()) == 0;
    };
    if (const auto failed = failureOf(file, staged.target, replaced)) {
        file.remove();
        return writeFailure(staged.target, *failed);
    }
    return FileResult::success();
}

FileResult replaceWith(const QString &path, const QByteArray &bytes)
{
    Staged staged;
    const FileResult written = stage(path, bytes, staged);
    return written.ok() ? putInPlace(staged) : written;
}

// The whole content of a file to be copied; a file that may not be read is refused as read()
// refuses it.
FileResult readWhole(const QString &path, QByteArray &bytes)
{
    if (const QString refused = refusal(path, true); !refused.isEmpty())
        return FileResult::failed(refused);
    QFile file(path);
    if (const auto failed = failureOf(file, path, [&] { return file.open(QIODevice::ReadOnly); }))
        return FileResult::failed(readFailure(path, *failed));
    const auto whole = [&] {
        bytes = file.readAll();
        return file.error() == QFileDevice::NoError;
    };
    if (const auto failed = failureOf(file, path, whole))
        return FileResult::failed(readFailure(path, *failed));
    return FileResult::success();
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
    result.stamp = stampOfOpen(file.handle());
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
    struct stat status {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode)
        && qint64(status.st_size) > kLargestFile;
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
    m_seen.stamp = stampOfOpen(m_file->handle());
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

FileResult writeText(const QString &path, QStringView text)
{
    EncodedText encoded = ShiftJis::encode(text);
    if (!encoded.ok())
        return unencodable(*encoded.unencodable);
    return replaceWith(path, encoded.bytes);
}

FileResult writeBytes(const QString &path, const QByteArray &bytes)
{
    return replaceWith(path, bytes);
}

FileResult copy(const QString &from, const QString &to)
{
    QByteArray bytes;
    const FileResult read = readWhole(from, bytes);
    return read.ok() ? replaceWith(to, bytes) : read;
}

FileResult copyTogether(const std::vector<std::pair<QString, QString>> &copies, qsizetype *replaced)
{
    if (replaced)
        *replaced = 0;
    std::vector<Staged> staged;
    const auto discardFrom = [&](std::size_t first) {
        for (std::size_t i = first; i < staged.size(); ++i)
            QFile::remove(staged[i].temporary);
    };
    for (const auto &[from, to] : copies) {
        QByteArray bytes;
        Staged copy;
        FileResult done = readWhole(from, bytes);
        if (done.ok())
            done = stage(to, bytes, copy);
        if (!done.ok()) {
            discardFrom(0);
            return done;
        }
        staged.push_back(copy);
    }
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (FileResult done = putInPlace(staged[i]); !done.ok()) {
            discardFrom(i + 1);
            return done;
        }
        if (replaced)
            *replaced = qsizetype(i + 1);
    }
    return FileResult::success();
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

Stamp stampOf(const QString &path)
{
    struct stat status {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return stampFrom(status);
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
    struct stat status {
    };
    char last = '\n';
    const auto lastByte = [&] {
        return ::fstat(handle, &status) == 0 && (status.st_size == 0 || ::pread(handle, &last, 1, status.st_size - 1) == 1);
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
    const auto end = [&] { return qint64(::lseek(handle, 0, SEEK_CUR)); };
    if (const auto failed = failureOf(file, path, written, shortWriteReason())) {
        if (count > 0)
            cutOwnEnd(handle, end() - count, end()); // no half line is left behind
        return writeFailure(path, *failed);
    }
    if (appended) {
        appended->at = end() - bytes.size();
        appended->bytes = bytes;
        appended->after = stampOfOpen(handle);
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

void failWritesBeyondSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
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
    const bool ours = ::pread(file.handle(), held.data(), size_t(held.size()), off_t(appended.at)) == held.size()
        && held == appended.bytes;
    if (!ours || !cutOwnEnd(file.handle(), appended.at, end))
        return writeFailure(path,
                            QStringLiteral("書き足した行を取り消せませんでした。その後ほかのソフトがファイルを変更しています"));
    return FileResult::success();
}

} // namespace kotohana::TextFile
