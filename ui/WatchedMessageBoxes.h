#pragma once

#include "platform/MessageBoxes.h"

#include <functional>

namespace kotohana {

// A window's message boxes, counted while they wait for an answer: a box runs the events of
// every window while it is open, and the window must not go away under the handler that
// showed it. Once the last open box is answered, `closed` is called.
class WatchedMessageBoxes final : public MessageBoxes
{
public:
    WatchedMessageBoxes(MessageBoxes &boxes, std::function<void()> closed);

    void information(const QString &text, const QString &title) override;
    void warning(const QString &text, const QString &title) override;
    bool confirm(const QString &text, const QString &title) override;
    void critical(const QString &text, const QString &title) override;
    SaveChoice askToSave(const QString &text, const QString &title) override;

    bool anyOpen() const { return m_open > 0; }

private:
    template <typename Show>
    auto whileOpen(Show show);

    MessageBoxes &m_boxes;
    std::function<void()> m_closed;
    int m_open = 0;
};

} // namespace kotohana
