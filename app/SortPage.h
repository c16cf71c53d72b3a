#pragma once

#include <QFrame>

#include <array>

namespace kotohana {

class Grid;
struct Services;

// The "並び替え" page: every play, re-ordered by number, item, seconds or diary; each button
// switches between ascending and descending order.
class SortPage final : public QFrame
{
    Q_OBJECT

public:
    SortPage(const Services &services, QWidget *parent = nullptr);

    void SetupSortList();
    void FillSortList();
    static QString helpText();

    // Sort button 1 to 4.
    void cmdSort_Click(int button);

private:
    const Services &m_services;
    Grid *msgIchiran = nullptr;
    // Each button alternates on its own; a new main window starts them all at ascending.
    std::array<bool, 5> m_sortToggle{};
};

} // namespace kotohana
