#include "RecordsCsv.h"

#include "platform/ListFormat.h"

#include <QStringList>

namespace kotohana {
namespace {

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void addRow(QString &csv, const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            csv += u',';
        csv += csvField(fields[i]);
    }
    csv += QStringLiteral("\r\n");
}

} // namespace

QByteArray recordsCsv(const std::vector<PlayRecord> &records)
{
    QString csv;
    addRow(csv, {QStringLiteral("日付"), QStringLiteral("時間"), QStringLiteral("項目"), QStringLiteral("秒"),
                 QStringLiteral("一言日記")});
    for (const PlayRecord &record : records)
        addRow(csv, {record.date, record.time, record.item, ListFormat::formatNumber(record.seconds), record.diary});
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace kotohana
