#include "SortPage.h"

#include "PageTools.h"
#include "RecordLists.h"

#include "ui/ColorButton.h"
#include "ui/Grid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kotohana {
namespace {

struct SortButton {
    const char *name;
    const char16_t *caption;
    int column;
    bool numeric;
};
constexpr SortButton kButtons[5] = {{"", u"", 0, true},
                                    {"cmdSort1", u"回 （日付）", 0, true},
                                    {"cmdSort2", u"項目", 3, false},
                                    {"cmdSort3", u"秒数", 4, true},
                                    {"cmdSort4", u"一言日記", 5, false}};

} // namespace

SortPage::SortPage(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("fraBunseki"));
    msgIchiran = new Grid(this);
    msgIchiran->setObjectName(QStringLiteral("msgIchiran"));
    msgIchiran->setAccessibleName(QStringLiteral("プレイ一覧"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("並び替え："), this));
    for (int b = 1; b <= 4; ++b) {
        auto *button = PageTools::button(this, kButtons[b].name, QString::fromUtf16(kButtons[b].caption));
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, b] { cmdSort_Click(b); });
    }
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(msgIchiran, 1);
}

QString SortPage::helpText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("プレイしたデータを一覧表示しています。") + crlf + crlf
        + QStringLiteral("各種データ毎、ボタンを押すたびに「昇順」「降順」で並び替えができます。") + crlf
        + QStringLiteral("項目毎に並び替えたり、秒数が長い順に並び替えたり…など表示をかえることができます。") + crlf + crlf;
}

void SortPage::SetupSortList()
{
    RecordLists::setup(*msgIchiran, 11, {680, 1400, 1100, 2150, 850, 4880});
    msgIchiran->setFixedAlignment(0, Grid::Align::Center);
    msgIchiran->setTextMatrix(0, 0, QStringLiteral("回"));
}

void SortPage::FillSortList()
{
    // The list opens at its first play, unscrolled.
    RecordLists::fill(*msgIchiran, PageTools::readSnapshot(m_services), std::numeric_limits<int>::max());
}

void SortPage::cmdSort_Click(int button)
{
    const SortButton &sort = kButtons[button];
    msgIchiran->setCol(sort.column);
    const bool descending = m_sortToggle[std::size_t(button)];
    if (sort.numeric)
        msgIchiran->sort(descending ? Grid::SortSetting::NumericDescending : Grid::SortSetting::NumericAscending);
    else
        msgIchiran->sort(descending ? Grid::SortSetting::TextDescending : Grid::SortSetting::TextAscending);
    m_sortToggle[std::size_t(button)] = !descending;
}

} // namespace kotohana
