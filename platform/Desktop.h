#pragma once

#include <QString>

namespace kotohana {

// What the program asks of the desktop besides message boxes: a file to save to outside the
// data folder, and a folder shown in the file manager. The program uses the desktop's own
// dialog and file manager; tests answer from a script.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // The file the user picks to save to, the dialog opening at suggestedPath with the given
    // name filter ("CSV ファイル (*.csv)"); empty when the user cancels.
    virtual QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter) = 0;
    // Shows the folder in the desktop's file manager. False when nothing could show it.
    virtual bool openFolder(const QString &directory) = 0;
};

} // namespace kotohana
