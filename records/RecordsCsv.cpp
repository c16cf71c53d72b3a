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

// A text a spreadsheet would take for a formula ("=cmd|' /C calc'!A0") is kept from running as
// spreadsheet makers advise: an apostrophe before it, which makes the cell text.
QString inert(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r\n");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        return u'\'' + text;
    return text;
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
    addRow(csv,
           {QStringLiteral("日付"), QStringLiteral("時間"), QStringLiteral("項目"), QStringLiteral("秒"),
            QStringLiteral("一言日記")});
    for (const PlayRecord &record : records)
        addRow(csv,
               {inert(record.date), inert(record.time), inert(record.item), ListFormat::formatNumber(record.seconds),
                inert(record.diary)});
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace kotohana
