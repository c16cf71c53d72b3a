#pragma once

#include "TodayView.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

namespace kotohana {

// The main page's view of one day, kept in the user's cache folder at the end of a run with
// the length and digest (TextFile::Digest) of the record file it was made from. The next start
// on that day shows it at once while the file still has exactly those bytes, and reads the
// records after the window is on screen. Only a cache: a missing, unreadable or damaged file
// means the start reads the records first, as it would without it.
struct KeptView {
    QDate day;
    qint64 length = 0;
    quint64 digest = 0;
    TodayView view;

    QByteArray encoded() const;
    // Nothing when the bytes are not a whole kept view, this version's.
    static std::optional<KeptView> decoded(QByteArrayView bytes);

    // Nothing when the file is missing, is not one the program wrote (a link, a pipe) or does
    // not hold a view.
    static std::optional<KeptView> read(const QString &path);
    // Replaces the file only when the whole new one is written; false when it could not be, or
    // when something else (a link, a folder) stands in its place.
    bool write(const QString &path) const;
    // Where the view of a record file is kept: one file in the program's cache folder for each
    // record file.
    static QString pathFor(const QString &recordFile);
};

} // namespace kotohana
