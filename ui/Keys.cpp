#include "Keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace kotohana {

bool pressFocusedButton(const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto *button = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

namespace {

// Qt draws the focus frame only in a window marked as worked by keyboard, and takes the mark
// away each time the window is shown; it is given back then.
class FocusShown final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QWidget *>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void showFocusAlways(QWidget &window)
{
    window.installEventFilter(new FocusShown(&window));
}

} // namespace kotohana
