#pragma once

#include "records/PlayRecordFile.h"

#include "ui/Grid.h"

#include <QString>

#include <initializer_list>
#include <memory>
#include <vector>

class QWidget;

namespace kotohana {

class ColorButton;
struct Services;

// Small pieces the record book's pages share.
namespace PageTools {

struct Column {
    QString heading;
    int twips; // 0 keeps the grid's own width
    Grid::Align align;
};

// Empties the grid to its heading row and lays out its columns; headings are centred.
void setupGrid(Grid &grid, int fontSize, std::initializer_list<Column> columns);

// Every record of データ.txt as it is now; a file that cannot be read is reported and lists
// nothing. The records stay valid until the next change of the file.
const std::vector<PlayRecord> &readRecords(const Services &services);
// The same records, alive for as long as the caller holds them (a list on screen).
std::shared_ptr<const PlayRecordFile::ReadResult> readSnapshot(const Services &services);

// Lights one button of a group with a colour and gives the others the button face.
void light(std::initializer_list<ColorButton *> group, ColorButton *lit, quint32 colour);

ColorButton *button(QWidget *parent, const char *name, const QString &caption);

} // namespace PageTools
} // namespace kotohana
