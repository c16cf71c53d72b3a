#include "TextFile.h"

#include "FileErrors.h"
#include "ShiftJis.h"
#include "System.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <functional>

// Rewrites and copies: the new content goes into a temporary file beside the file, is written
// through to the disk, and only then takes the file's place in one step.
namespace kotohana::TextFile {
namespace {

// A copy goes through a buffer of this size: a file of any size costs no more memory than this.
constexpr qint64 kCopyPiece = qint64(1) << 20;

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

// Writes the new content into the temporary file for the target; what it says when it cannot.
using Fill = std::function<FileResult(QFile &temporary, const QString &target)>;

// The first half of a replace: the content goes into a fresh temporary file beside the file at
// the path (beside the file a link there leads to: the link stays), and through to the disk.
// The temporary file has the permissions of the file it replaces (a private file stays
// private), or of `model` where there is none yet.
FileResult stage(const QString &path, const Fill &fill, const QString &model, Staged &staged)
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
        return writeFailure(target, reasonFor(System::Failure::Denied, file, {}));
    if (const auto failed = failureOf(file, target, [&] { return openTemporary(file, target); }))
        return writeFailure(target, *failed);
    System::takePermissions(file.handle(), file.fileName(), QFileInfo::exists(target) ? target : model);
    FileResult done = fill(file, target);
    if (done.ok()) {
        const auto flushed = [&] { return System::flushToDisk(file.handle()); };
        if (const auto failed = failureOf(file, target, flushed, shortWriteReason()))
            done = writeFailure(target, *failed);
    }
    if (!done.ok()) {
        file.close();
        QFile::remove(file.fileName());
        return done;
    }
    staged = {file.fileName(), target};
    return FileResult::success();
}

// The second half: the temporary file takes the file's place in one step. On failure it is
// removed and the file stays as it was.
FileResult putInPlace(const Staged &staged)
{
    QFile file(staged.temporary);
    if (const auto failed = failureOf(file, staged.target, [&] { return System::replace(staged.temporary, staged.target); })) {
        file.remove();
        return writeFailure(staged.target, *failed);
    }
    return FileResult::success();
}

FileResult replaceWith(const QString &path, const QByteArray &bytes)
{
    const auto fill = [&](QFile &file, const QString &target) {
        const auto written = [&] { return file.write(bytes) == bytes.size() && file.size() == bytes.size(); };
        if (const auto failed = failureOf(file, target, written, shortWriteReason()))
            return writeFailure(target, *failed);
        return FileResult::success();
    };
    Staged staged;
    const FileResult written = stage(path, fill, {}, staged);
    return written.ok() ? putInPlace(staged) : written;
}

// Opens a file to be copied; one that may not be read is refused as read() refuses it.
FileResult openSource(QFile &source)
{
    const QString path = source.fileName();
    if (const QString refused = refusal(path, true); !refused.isEmpty())
        return FileResult::failed(refused);
    if (const auto failed = failureOf(source, path, [&] { return source.open(QIODevice::ReadOnly | QIODevice::Unbuffered); }))
        return FileResult::failed(readFailure(path, *failed));
    return FileResult::success();
}

// Stages a copy of the open source for the target, a piece at a time through one buffer.
FileResult stageCopy(QFile &source, const QString &to, Staged &staged)
{
    const auto fill = [&](QFile &file, const QString &target) {
        QByteArray piece(kCopyPiece, Qt::Uninitialized);
        qint64 copied = 0;
        for (qint64 got = 0;; copied += got) {
            const auto read = [&] {
                got = source.read(piece.data(), piece.size());
                return got >= 0;
            };
            if (const auto failed = failureOf(source, source.fileName(), read))
                return FileResult::failed(readFailure(source.fileName(), *failed));
            if (got == 0)
                break;
            const auto written = [&] { return file.write(piece.constData(), got) == got; };
            if (const auto failed = failureOf(file, target, written, shortWriteReason()))
                return writeFailure(target, *failed);
        }
        if (file.size() != copied)
            return writeFailure(target, shortWriteReason());
        return FileResult::success();
    };
    return stage(to, fill, source.fileName(), staged);
}

} // namespace

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

FileResult copy(const QString &from, const QString &to)
{
    QFile source(from);
    FileResult done = openSource(source);
    Staged staged;
    if (done.ok())
        done = stageCopy(source, to, staged);
    return done.ok() ? putInPlace(staged) : done;
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
        QFile source(from);
        Staged copy;
        FileResult done = openSource(source);
        if (done.ok())
            done = stageCopy(source, to, copy);
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

} // namespace kotohana::TextFile
