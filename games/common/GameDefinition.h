#pragma once

#include "History.h"

#include "ui/Grid.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kotohana {

// What a game declares about itself for the window every game shares.
struct GameDefinition {
    struct Column {
        QString heading;
        int twips;
        Grid::Align align;
    };
    // A chart button of the history frame: one series from one list column, or two or three.
    struct ChartButton {
        const char *objectName;
        QString caption;
        int column;
        int secondColumn = -1;
        int thirdColumn = -1;
        QStringList seriesNames = {QStringLiteral("正解"), QStringLiteral("不正解")};
    };

    QString name;               // the item name and the stem of the game's file names
    QString title;              // window caption
    const char *objectName;     // frmG1 ... frmG7
    QStringList modeNames;      // the game's variants; empty when it has none
    const char *modeListName = "cboMode";
    const char *modeTwinName = "cboMode2";
    bool buttonToolTips = true;
    HistoryLayout history;
    std::vector<Column> columns; // the history list: column 0 "回", then one per field
    std::vector<ChartButton> charts;

    QString historyFileName() const { return name + QStringLiteral("履歴.txt"); }
    QString settingsFileName() const { return name + QStringLiteral("設定.txt"); }
};

} // namespace kotohana
