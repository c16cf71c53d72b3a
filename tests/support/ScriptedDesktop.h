#pragma once

#include "platform/Desktop.h"

#include <QString>
#include <QStringList>

namespace kotohana::test {

// Records what the program asks of the desktop; the save dialog answers with the path the
// test gives (empty: the user cancels), and the file manager opens or fails as told.
class ScriptedDesktop final : public Desktop
{
public:
    QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter) override
    {
        asked.append(title + u'|' + suggestedPath + u'|' + filter);
        return answer;
    }
    bool openFolder(const QString &directory) override
    {
        opened.append(directory);
        return opens;
    }

    QString answer; // the path the save dialog gives back
    bool opens = true; // whether the file manager shows a folder
    QStringList asked; // title|suggested path|filter of each save dialog
    QStringList opened; // the folders the file manager was asked to show
};

} // namespace kotohana::test
