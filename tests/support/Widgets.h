#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace kotohana::test {

// A window's control by its name; a missing control ends the test run with its name.
template <typename T>
T *find(const QWidget &window, const QString &name)
{
    T *child = window.findChild<T *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

inline void click(const QWidget &window, const QString &button)
{
    QTest::mouseClick(find<QAbstractButton>(window, button), Qt::LeftButton);
}

inline void click(const QWidget &window, const char *button)
{
    click(window, QString::fromLatin1(button));
}

// The test drives a game window's clock ticks itself.
inline void stopTimers(const QObject &window)
{
    for (QTimer *timer : window.findChildren<QTimer *>())
        timer->stop();
}

// A window made and loaded as the program opens it.
template <typename Window, typename... Args>
std::unique_ptr<Window> loadWindow(Args &...args)
{
    auto window = std::make_unique<Window>(args...);
    window->Form_Load();
    return window;
}

// A game window so loaded, its timers left to the test.
template <typename Window, typename... Args>
std::unique_ptr<Window> openGame(Args &...args)
{
    auto window = loadWindow<Window>(args...);
    stopTimers(*window);
    return window;
}

// Presses "スタート" and lets the three countdown ticks pass, a second apart.
template <typename Window, typename Clock>
void startPlay(Window &window, Clock &clock)
{
    click(window, "cmdStart");
    for (int i = 0; i < 3; ++i) {
        clock.advanceMilliseconds(1000);
        window.tmrStart_Timer();
    }
}

// Types an answer into a word game's box and presses Enter.
inline void typeAnswer(const QWidget &window, const QString &text)
{
    auto *box = find<QLineEdit>(window, QStringLiteral("txtKaitou"));
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace kotohana::test
