#include "WatchedMessageBoxes.h"

#include <utility>

namespace kotohana {

WatchedMessageBoxes::WatchedMessageBoxes(MessageBoxes &boxes, std::function<void()> closed)
    : m_boxes(boxes)
    , m_closed(std::move(closed))
{
}

template <typename Show>
auto WatchedMessageBoxes::whileOpen(Show show)
{
    struct Open {
        WatchedMessageBoxes &boxes;
        explicit Open(WatchedMessageBoxes &watched)
            : boxes(watched)
        {
            ++boxes.m_open;
        }
        ~Open()
        {
            if (--boxes.m_open == 0 && boxes.m_closed)
                boxes.m_closed();
        }
        Open(const Open &) = delete;
        Open &operator=(const Open &) = delete;
    };
    const Open open(*this);
    return show();
}

void WatchedMessageBoxes::information(const QString &text, const QString &title)
{
    whileOpen([&] { m_boxes.information(text, title); });
}

void WatchedMessageBoxes::warning(const QString &text, const QString &title)
{
    whileOpen([&] { m_boxes.warning(text, title); });
}

bool WatchedMessageBoxes::confirm(const QString &text, const QString &title)
{
    return whileOpen([&] { return m_boxes.confirm(text, title); });
}

void WatchedMessageBoxes::critical(const QString &text, const QString &title)
{
    whileOpen([&] { m_boxes.critical(text, title); });
}

MessageBoxes::SaveChoice WatchedMessageBoxes::askToSave(const QString &text, const QString &title)
{
    return whileOpen([&] { return m_boxes.askToSave(text, title); });
}

} // namespace kotohana
