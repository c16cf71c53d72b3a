#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kotohana::test {

// A CSV reader of the tests' own, written from RFC 4180 apart from the program's writer: the
// rows of UTF-8 bytes after a byte order mark. Every row must end with CR LF; a field in
// double quotes may hold commas, doubled double quotes and line breaks. Anything else RFC 4180
// does not allow (a quote inside a bare field, a bare CR or LF, text after a closing quote) is
// an error, and so is a missing byte order mark or invalid UTF-8.
struct CsvContent {
    std::vector<QStringList> rows;
    QString error; // empty when the bytes are a well-formed file
};

inline CsvContent readCsv(const QByteArray &bytes)
{
    CsvContent content;
    if (!bytes.startsWith("\xEF\xBB\xBF")) {
        content.error = QStringLiteral("no byte order mark");
        return content;
    }
    const QByteArray body = bytes.mid(3);
    const QString text = QString::fromUtf8(body);
    if (text.toUtf8() != body) {
        content.error = QStringLiteral("not UTF-8");
        return content;
    }
    QStringList row;
    qsizetype at = 0;
    const qsizetype size = text.size();
    const auto fail = [&](const char *why) {
        content.error = QStringLiteral("%1 at character %2").arg(QString::fromLatin1(why)).arg(at);
        return content;
    };
    while (at < size) {
        QString field;
        if (text[at] == u'"') {
            ++at;
            while (true) {
                if (at >= size)
                    return fail("unclosed quote");
                if (text[at] == u'"') {
                    if (at + 1 < size && text[at + 1] == u'"') {
                        field += u'"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += text[at++];
            }
        } else {
            while (at < size && text[at] != u',' && text[at] != u'\r') {
                if (text[at] == u'"' || text[at] == u'\n')
                    return fail("quote or line feed in a bare field");
                field += text[at++];
            }
        }
        row.append(field);
        if (at < size && text[at] == u',') {
            ++at;
            continue;
        }
        if (at + 1 < size && text[at] == u'\r' && text[at + 1] == u'\n') {
            at += 2;
            content.rows.push_back(row);
            row.clear();
            continue;
        }
        return fail("field not followed by a comma or CR LF");
    }
    if (!row.isEmpty())
        return fail("last row without CR LF");
    return content;
}

} // namespace kotohana::test
