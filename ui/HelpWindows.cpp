#include "HelpWindows.h"

#include "Keys.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace kotohana {
namespace {

// The help window works by keyboard as the program's windows do: Enter presses the focused
// button, and Esc closes the window, as it closes any window that only shows something.
class HelpWindow final : public QWidget
{
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            close();
        else if (!pressFocusedButton(*event))
            QWidget::keyPressEvent(event);
    }
};

QWidget *makeWindow(const QString &document)
{
    auto *window = new HelpWindow;
    window->setObjectName(QStringLiteral("frmHelp"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    // An open help window does not keep the program running once its own windows are closed.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setWindowTitle(QStringLiteral("コトハナ ヘルプ"));
    window->resize(760, 680);
    showFocusAlways(*window);

    auto *browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("txtHelp"));
    browser->setAccessibleName(QStringLiteral("ヘルプの本文"));
    browser->setOpenExternalLinks(false);
    QFont readable = browser->font();
    readable.setPointSize(12); // headings scale with it
    browser->setFont(readable);
    browser->setSource(QUrl(QStringLiteral("qrc") + document));

    auto *contents = new QPushButton(QStringLiteral("目次"), window);
    contents->setObjectName(QStringLiteral("cmdContents"));
    auto *back = new QPushButton(QStringLiteral("戻る"), window);
    back->setObjectName(QStringLiteral("cmdBack"));
    auto *close = new QPushButton(QStringLiteral("閉じる"), window);
    close->setObjectName(QStringLiteral("cmdClose"));
    back->setEnabled(false);
    QObject::connect(contents, &QPushButton::clicked, browser, &QTextBrowser::home);
    QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(window);
    layout->addLayout(buttons);
    layout->addWidget(browser, 1);
    return window;
}

} // namespace

HelpWindows::HelpWindows(QString document)
    : m_document(std::move(document))
{
}

void HelpWindows::showDefaultTopic()
{
    m_windows.removeAll(nullptr);
    QWidget *window = m_windows.isEmpty() ? nullptr : m_windows.last().data();
    if (!window) {
        window = makeWindow(m_document);
        m_windows.append(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindows::closeAll()
{
    for (const QPointer<QWidget> &window : std::as_const(m_windows)) {
        if (window)
            window->close();
    }
    m_windows.clear();
}

int HelpWindows::openCount() const
{
    return int(std::count_if(m_windows.begin(), m_windows.end(),
                             [](const QPointer<QWidget> &window) { return window && window->isVisible(); }));
}

} // namespace kotohana
