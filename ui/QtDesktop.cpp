#include "QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace kotohana {

QString QtDesktop::saveFileName(const QString &title, const QString &suggestedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedPath, filter);
}

bool QtDesktop::openFolder(const QString &directory)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(directory));
}

} // namespace kotohana
