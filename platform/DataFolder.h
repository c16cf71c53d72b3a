#pragma once

#include "FileResult.h"

#include <QString>
#include <QStringList>

namespace kotohana {

// The one folder that holds every data file. Files are opened by bare name, and names are
// matched without regard to letter case (設定.txt and 設定.TXT are one file), so every
// open goes through path().
class DataFolder final
{
public:
    explicit DataFolder(QString directory);

    const QString &directory() const { return m_directory; }

    // Whether a name can be one of the folder's files: not empty, and holding no path
    // separator, no "..", no NUL and no other control character. The system cuts a name at
    // a NUL, so such a name would reach another file (データ.txt<NUL>.txt is データ.txt).
    static bool acceptsName(QStringView fileName);

    // The file of that name in the folder: an existing file whose name differs only in case
    // if there is one, otherwise the name as given. Empty for a name the folder does not
    // accept: every TextFile function refuses an empty path, so nothing is read or written.
    QString path(QStringView fileName) const;
    bool contains(QStringView fileName) const;

    // Whether files can be written in the folder: a file is made there, written and removed.
    // A folder without write permission, on a read-only disk or a full one cannot.
    bool writable() const;

    // Where the data lives: the folder given as the one command-line argument; else the
    // program's own folder (when it is known) if it already holds データ.txt (a portable copy);
    // else the user's data folder.
    static QString choose(const QStringList &arguments, const QString &programDirectory, const QString &userDataDirectory);

    struct Delivery {
        QStringList created;
        QStringList failures; // messages for files that could not be created
    };

    // Creates every file of sourceDirectory (UTF-8 text) that the folder lacks, written in
    // Shift_JIS with CR LF line ends. Files already present are never touched.
    Delivery deliverMissing(const QString &sourceDirectory) const;

    // Writes one delivered file anew from its source (a user deleted or emptied it).
    FileResult restore(const QString &sourceDirectory, const QString &fileName) const;

    // Removes what a rewrite stopped by a kill leaves beside one of the given files: the
    // temporary file of the save, the file's name, TextFile's save mark and six random letters
    // (データ.txt.kotohana-tmp-a1B2c3), a regular file, not a link. Nothing else is touched:
    // a user's own copies (データ.txt.MyCopy) stay. The names of the removed files.
    QStringList removeLeftovers(const QStringList &ownFiles) const;

private:
    QString m_directory;
};

} // namespace kotohana
