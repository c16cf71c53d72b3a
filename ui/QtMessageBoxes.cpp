#include "QtMessageBoxes.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kotohana {
namespace {

// The window a message belongs over: the active one, or while a window is giving way to
// another (the main window to a game) and none is active yet, the one on screen.
QWidget *owner()
{
    QWidget *active = QApplication::activeWindow();
    if (active && active->isVisible())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window)
            return window;
    }
    return nullptr;
}

// A message over the active window showing its text as it was written: texts come with CR LF
// line breaks where their author broke them, and the box grows to the longest line rather
// than breaking lines again in the middle of a phrase (as a standard message box does past
// half the screen's width).
class MessageDialog final : public QDialog
{
    Q_OBJECT

public:
    MessageDialog(QStyle::StandardPixmap icon, const QString &title, const QString &text)
        : QDialog(owner())
    {
        setWindowTitle(title);
        setObjectName(QStringLiteral("messageBox"));
        auto *picture = new QLabel(this);
        const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        picture->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(side, side));
        picture->setAlignment(Qt::AlignTop);
        QString lines = text;
        lines.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
        m_text = lines;
        auto *label = new QLabel(lines, this);
        label->setObjectName(QStringLiteral("lblMessage"));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        buttons = new QDialogButtonBox(this);
        connect(buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton *button) {
            clicked = button;
            done(buttons->buttonRole(button) == QDialogButtonBox::RejectRole ? Rejected : Accepted);
        });
        auto *message = new QHBoxLayout;
        message->addWidget(picture, 0, Qt::AlignTop);
        message->addSpacing(12);
        message->addWidget(label, 1);
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(message);
        layout->addSpacing(8);
        layout->addWidget(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    const QString &text() const { return m_text; }

    QPushButton *add(QDialogButtonBox::StandardButton button) { return buttons->addButton(button); }
    QPushButton *add(const QString &caption, QDialogButtonBox::ButtonRole role) { return buttons->addButton(caption, role); }
    // Runs the box; the button pressed, or none when it was closed with Esc or its close box.
    QAbstractButton *ask(QPushButton *preferred)
    {
        if (preferred) {
            preferred->setDefault(true);
            preferred->setFocus();
        }
        exec();
        return clicked;
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QDialog::showEvent(event);
        // Screen readers read an alert out as it appears.
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }

private:
    QString m_text;
    QDialogButtonBox *buttons = nullptr;
    QAbstractButton *clicked = nullptr;
};

// To assistive tools the box is an alert, as the platform's own message boxes are, described
// by its text.
class MessageAccessible final : public QAccessibleWidget
{
public:
    explicit MessageAccessible(MessageDialog *dialog)
        : QAccessibleWidget(dialog, QAccessible::AlertMessage)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description)
            return static_cast<const MessageDialog *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *messageAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(MessageDialog::staticMetaObject.className()))
        return new MessageAccessible(static_cast<MessageDialog *>(object));
    return nullptr;
}

void tell(QStyle::StandardPixmap icon, const QString &text, const QString &title)
{
    MessageDialog box(icon, title, text);
    box.ask(box.add(QDialogButtonBox::Ok));
}

} // namespace

QtMessageBoxes::QtMessageBoxes()
{
    QAccessible::installFactory(messageAccessible);
}

QtMessageBoxes::~QtMessageBoxes()
{
    QAccessible::removeFactory(messageAccessible);
}

void QtMessageBoxes::information(const QString &text, const QString &title)
{
    tell(QStyle::SP_MessageBoxInformation, text, title);
}

void QtMessageBoxes::warning(const QString &text, const QString &title)
{
    tell(QStyle::SP_MessageBoxWarning, text, title);
}

bool QtMessageBoxes::confirm(const QString &text, const QString &title)
{
    MessageDialog box(QStyle::SP_MessageBoxWarning, title, text);
    QPushButton *ok = box.add(QDialogButtonBox::Ok);
    QPushButton *cancel = box.add(QDialogButtonBox::Cancel);
    return box.ask(cancel) == ok;
}

void QtMessageBoxes::critical(const QString &text, const QString &title)
{
    tell(QStyle::SP_MessageBoxCritical, text, title);
}

MessageBoxes::SaveChoice QtMessageBoxes::askToSave(const QString &text, const QString &title)
{
    MessageDialog box(QStyle::SP_MessageBoxQuestion, title, text);
    QPushButton *save = box.add(QStringLiteral("保存する"), QDialogButtonBox::AcceptRole);
    QPushButton *discard = box.add(QStringLiteral("保存しない"), QDialogButtonBox::DestructiveRole);
    box.add(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    QAbstractButton *pressed = box.ask(save);
    if (pressed == save)
        return SaveChoice::Save;
    if (pressed == discard)
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

} // namespace kotohana

#include "QtMessageBoxes.moc"
