#pragma once

#include "GameCatalog.h"
#include "History.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kotohana {

// What a game declares about itself for the window every game shares. History fields are
// numbered from 0 (the date) in the order of the history line; the list shows field f in
// column f + 1, under the heading its table gives, after the running number in column 0.
struct GameDefinition {
    // A chart button of the history frame: one series per field, one to three.
    struct ChartButton {
        const char *objectName;
        QString caption;
        std::vector<int> fields;
        QStringList seriesNames = {QStringLiteral("正解"), QStringLiteral("不正解")};
    };

    static constexpr int column(int field) { return field + 1; }
    // The chart buttons every game has: 答数 (cmdKaitou) on the fields of the answers, and 秒数
    // (cmdPByou), 正解率 (cmdRitu) and 秒当たり (cmdByou) on a field each.
    static std::vector<ChartButton> commonCharts(std::vector<int> answers, int seconds, int rate, int speed)
    {
        return {{"cmdKaitou", QStringLiteral("答数"), std::move(answers)},
                {"cmdPByou", QStringLiteral("秒数"), {seconds}},
                {"cmdRitu", QStringLiteral("正解率"), {rate}},
                {"cmdByou", QStringLiteral("秒当たり"), {speed}}};
    }

    GameInfo game;
    QStringList modeNames; // the game's variants; empty when it has none
    const char *modeListName = "cboMode";
    const char *modeTwinName = "cboMode2";
    bool buttonToolTips = true;
    // The list shows dates as yy/mm/dd and times as hh:mm (the file keeps them whole).
    bool shortDateTime = false;
    HistoryLayout history; // made from the game's table
    int numberTwips = 600; // the width of column 0, "回"
    std::vector<ChartButton> charts;
};

} // namespace kotohana
