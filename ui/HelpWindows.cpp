#include "HelpWindows.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace kotohana {
namespace {

QWidget *makeWindow(const QString &document)
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("frmHelp"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    // An open help window does not keep the program running once its own windows are closed.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setWindowTitle(QStringLiteral("コトハナ ヘルプ"));
    window->resize(760, 680);

    auto *browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("txtHelp"));
    browser->setOpenExternalLinks(false);
    QFont readable = browser->font();
    readable.setPointSize(12); // headings scale with it
    browser->setFont(readable);
    browser->setSource(QUrl(QStringLiteral("qrc") + document));

    auto *contents = new QPushButton(QStringLiteral("目次"), window);
    auto *back = new QPushButton(QStringLiteral("戻る"), window);
    auto *close = new QPushButton(QStringLiteral("閉じる"), window);
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
