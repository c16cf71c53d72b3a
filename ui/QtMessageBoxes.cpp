#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kotohana {
namespace {

// Texts come with CR LF line breaks, as the program writes them; a label wants bare LFs.
QString shown(const QString &text)
{
    QString result = text;
    result.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    return result;
}

} // namespace

void QtMessageBoxes::information(const QString &text, const QString &title)
{
    QMessageBox::information(QApplication::activeWindow(), title, shown(text));
}

void QtMessageBoxes::warning(const QString &text, const QString &title)
{
    QMessageBox::warning(QApplication::activeWindow(), title, shown(text));
}

bool QtMessageBoxes::confirm(const QString &text, const QString &title)
{
    return QMessageBox::warning(QApplication::activeWindow(), title, shown(text), QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel)
        == QMessageBox::Ok;
}

void QtMessageBoxes::critical(const QString &text, const QString &title)
{
    QMessageBox::critical(QApplication::activeWindow(), title, shown(text));
}

MessageBoxes::SaveChoice QtMessageBoxes::askToSave(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, shown(text), QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton *save = box.addButton(QStringLiteral("保存する"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    if (box.clickedButton() == discard)
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

} // namespace kotohana
