#include "KeptView.h"

#include "Items.h"

#include "platform/TextFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kotohana {
namespace {

// The file: this mark and version, the view in QDataStream's Qt 6.4 form, and last the digest
// of every byte before it, so that a file cut short or damaged is never taken for a view.
constexpr char kMark[4] = {'K', 'T', 'D', 'V'};
constexpr quint16 kVersion = 1;
constexpr qsizetype kCheckSize = sizeof(quint64);
// A kept view is small (its play days are a few thousand numbers); anything larger is not one.
constexpr qint64 kLargest = 16 * 1024 * 1024;

quint64 digestOf(QByteArrayView bytes)
{
    TextFile::Digest digest;
    digest.add(bytes);
    return digest.value();
}

void prepare(QDataStream &stream)
{
    stream.setVersion(QDataStream::Qt_6_4);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
}

// A count read from the file, when the bytes left can hold that many items of at least this
// size each.
std::optional<quint32> countOf(QDataStream &stream, qint64 left, qint64 itemSize)
{
    quint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok || qint64(count) * itemSize > left)
        return std::nullopt;
    return count;
}

} // namespace

QByteArray KeptView::encoded() const
{
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        prepare(out);
        out.writeRawData(kMark, sizeof kMark);
        out << kVersion << qint64(day.toJulianDay()) << length << digest;
        out << view.noData << view.firstRecordDate << view.lastRecordDate;
        out << quint32(view.plays.size());
        for (const TodayView::Play &play : view.plays)
            out << play.time << play.item << play.seconds;
        out << quint32(view.playDays.size());
        for (const qint64 playDay : view.playDays)
            out << playDay;
        for (const TodayView::ItemTotal &item : view.items)
            out << item.count << item.seconds;
        out << view.longestPlay << view.dayTotalSeconds;
    }
    const quint64 check = digestOf(bytes);
    QDataStream(&bytes, QIODevice::Append) << check;
    return bytes;
}

std::optional<KeptView> KeptView::decoded(QByteArrayView bytes)
{
    if (bytes.size() < qsizetype(sizeof kMark) + kCheckSize)
        return std::nullopt;
    const QByteArrayView body = bytes.chopped(kCheckSize);
    quint64 check = 0;
    QDataStream(bytes.sliced(body.size()).toByteArray()) >> check;
    if (check != digestOf(body) || !body.startsWith(QByteArrayView(kMark, sizeof kMark)))
        return std::nullopt;

    const QByteArray held = body.sliced(sizeof kMark).toByteArray();
    QDataStream in(held);
    prepare(in);
    const auto left = [&] { return held.size() - in.device()->pos(); };
    KeptView kept;
    quint16 version = 0;
    qint64 julianDay = 0;
    in >> version >> julianDay >> kept.length >> kept.digest;
    if (version != kVersion)
        return std::nullopt;
    kept.day = QDate::fromJulianDay(julianDay);
    TodayView &view = kept.view;
    in >> view.noData >> view.firstRecordDate >> view.lastRecordDate;
    const std::optional<quint32> plays = countOf(in, left(), 3 * sizeof(quint32));
    if (!plays)
        return std::nullopt;
    view.plays.resize(*plays);
    for (TodayView::Play &play : view.plays)
        in >> play.time >> play.item >> play.seconds;
    const std::optional<quint32> playDays = countOf(in, left(), sizeof(qint64));
    if (!playDays)
        return std::nullopt;
    view.playDays.resize(*playDays);
    for (qint64 &playDay : view.playDays)
        in >> playDay;
    for (std::size_t i = 0; i < view.items.size(); ++i) {
        view.items[i].name = itemNames()[i];
        in >> view.items[i].count >> view.items[i].seconds;
    }
    in >> view.longestPlay >> view.dayTotalSeconds;
    if (in.status() != QDataStream::Ok || !in.atEnd() || !kept.day.isValid())
        return std::nullopt;
    return kept;
}

std::optional<KeptView> KeptView::read(const QString &path)
{
    // Only a file of the program's own making: no link, and nothing (a pipe, say) that could
    // keep the reading waiting.
    const QFileInfo info(path);
    QFile file(path);
    if (info.isSymLink() || !info.isFile() || info.size() > kLargest || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decoded(file.readAll());
}

bool KeptView::write(const QString &path) const
{
    // A link in the view's place is left alone, and so is whatever it leads to.
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()) || !QDir().mkpath(info.absolutePath()))
        return false;
    return TextFile::writeBytes(path, encoded()).ok();
}

QString KeptView::pathFor(const QString &recordFile)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/kotohana");
    const QByteArray name = QFileInfo(recordFile).absoluteFilePath().toUtf8();
    return QDir(folder).filePath(QStringLiteral("day-view-%1").arg(digestOf(name), 16, 16, QLatin1Char('0')));
}

} // namespace kotohana
