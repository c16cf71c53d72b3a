#pragma once

#include <QString>

#include <array>

namespace kotohana {

// The seven games' short names in the order every per-item list and chart of the record
// book uses (カラパニ before 連想心理). Records are matched to items by exact text.
inline const std::array<QString, 7> &itemNames()
{
    static const std::array<QString, 7> names{QStringLiteral("プラマイ"),  QStringLiteral("しりとり"), QStringLiteral("バラバラ"),
                                              QStringLiteral("四熟虫喰"),  QStringLiteral("カラパニ"), QStringLiteral("連想心理"),
                                              QStringLiteral("ボキャブラ")};
    return names;
}

// The position (0-based) of an item in that order, or -1 for a name that is not one of them.
inline int itemIndex(QStringView name)
{
    const auto &names = itemNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return int(i);
    }
    return -1;
}

} // namespace kotohana
