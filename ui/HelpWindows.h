#pragma once

#include <QList>
#include <QPointer>
#include <QString>

class QWidget;

namespace kotohana {

// The program's help, a bundled HTML document shown in windows of its own. They stay open
// while the user moves between the main window and the games, and all close at the end.
class HelpWindows final
{
public:
    explicit HelpWindows(QString document);

    // Opens the document at its start (its table of contents), or brings an open window forward.
    void showDefaultTopic();
    void closeAll();
    int openCount() const;

private:
    QString m_document;
    QList<QPointer<QWidget>> m_windows;
};

} // namespace kotohana
