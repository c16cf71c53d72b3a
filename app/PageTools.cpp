#include "PageTools.h"

#include "platform/DataFolder.h"
#include "platform/MessageBoxes.h"
#include "records/RecordStore.h"
#include "records/Services.h"
#include "ui/ColorButton.h"
#include "ui/Colors.h"

namespace kotohana::PageTools {

void setupGrid(Grid &grid, int fontSize, std::initializer_list<Column> columns)
{
    grid.setRows(1);
    grid.setCols(int(columns.size()));
    grid.setFontSize(fontSize);
    int c = 0;
    for (const Column &column : columns) {
        grid.setTextMatrix(0, c, column.heading);
        if (column.twips > 0)
            grid.setColWidth(c, column.twips);
        grid.setColAlignment(c, column.align);
        grid.setFixedAlignment(c, Grid::Align::Center);
        ++c;
    }
}

std::shared_ptr<const PlayRecordFile::ReadResult> readSnapshot(const Services &services)
{
    std::shared_ptr<const PlayRecordFile::ReadResult> read = services.records.snapshot();
    if (!read->ok)
        services.messages.critical(read->message, QStringLiteral("コトハナ"));
    return read;
}

const std::vector<PlayRecord> &readRecords(const Services &services)
{
    return readSnapshot(services)->records;
}

void light(std::initializer_list<ColorButton *> group, ColorButton *lit, quint32 colour)
{
    for (ColorButton *button : group)
        button->setBackColor(windowsColor(button == lit ? colour : kButtonFace));
}

ColorButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *created = new ColorButton(caption, parent);
    created->setObjectName(QString::fromLatin1(name));
    return created;
}

} // namespace kotohana::PageTools
