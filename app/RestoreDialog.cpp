#include "RestoreDialog.h"

#include "DataBackup.h"

#include "platform/MessageBoxes.h"
#include "records/RecordStore.h"
#include "records/Services.h"
#include "ui/Keys.h"

#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace kotohana {
namespace {

const QString kTitle = QStringLiteral("バックアップから復元");
// The most names of skipped files a message lists; the others are counted.
constexpr qsizetype kMostListed = 10;
// Room a column keeps beside its widest text.
constexpr int kCellRoom = 24;

// A backup as the list and the question name it.
QString nameOf(const Backups::Kept &backup)
{
    const QString day = backup.day.toString(u"yyyy/MM/dd");
    return backup.beforeRestore.isNull()
        ? day
        : QStringLiteral("%1 %2（復元の前）").arg(day, backup.beforeRestore.toString(u"HH:mm:ss"));
}

// The plays the records will be after restoring the backup: a backup without データ.txt leaves
// the file as it is.
int playsAfter(const Backups::Kept &backup, int playsNow)
{
    return backup.holdsRecords ? backup.plays : playsNow;
}

int playsNow(const Services &services)
{
    return int(services.records.current().records.size());
}

} // namespace

RestoreDialog::RestoreDialog(const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_boxes(services.messages,
              [this] {
                  if (m_resultDue)
                      QMetaObject::invokeMethod(
                          this, [this] { done(*std::exchange(m_resultDue, std::nullopt)); }, Qt::QueuedConnection);
              })
    , m_services{services.clock, services.random, m_boxes, services.folder, services.records}
{
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(kTitle);
    showFocusAlways(*this);

    auto *caption = new QLabel(QStringLiteral("戻したいバックアップを選んで「復元する」を押してください。\n"
                                              "いまのデータは、復元の前にバックアップしておきます。"
                                              "あとでこの一覧から、いつでも元に戻せます。"),
                               this);
    caption->setWordWrap(true);
    lblNoBackup = new QLabel(QStringLiteral("バックアップはまだありません。"), this);
    lblNoBackup->setObjectName(QStringLiteral("lblNoBackup"));
    lstBackups = new QTreeWidget(this);
    lstBackups->setObjectName(QStringLiteral("lstBackups"));
    lstBackups->setAccessibleName(QStringLiteral("バックアップの一覧"));
    lstBackups->setRootIsDecorated(false);
    lstBackups->setUniformRowHeights(true);
    lstBackups->setHeaderLabels({QStringLiteral("バックアップ"), QStringLiteral("記録の数"), QStringLiteral("最後の記録の日"),
                                 QStringLiteral("記録の数（いま → 復元後）")});
    caption->setBuddy(lstBackups);

    cmdRestoreRun = new QPushButton(QStringLiteral("復元する"), this);
    cmdRestoreRun->setObjectName(QStringLiteral("cmdRestoreRun"));
    cmdRestoreRun->setDefault(true);
    cmdRestoreClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdRestoreClose->setObjectName(QStringLiteral("cmdRestoreClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdRestoreRun);
    buttons->addWidget(cmdRestoreClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(lblNoBackup);
    layout->addWidget(lstBackups, 1);
    layout->addLayout(buttons);

    connect(cmdRestoreRun, &QPushButton::clicked, this, &RestoreDialog::cmdRestoreRun_Click);
    connect(cmdRestoreClose, &QPushButton::clicked, this, &QDialog::reject);
    fill();
    resize(sizeHint().width(), minimumSizeHint().height() + 160);
}

void RestoreDialog::fill()
{
    m_backups = dataBackups(m_services).kept();
    const int now = playsNow(m_services);
    lstBackups->clear();
    for (const Backups::Kept &backup : m_backups) {
        auto *row = new QTreeWidgetItem(lstBackups,
                                        {nameOf(backup), QStringLiteral("%1 件").arg(backup.plays),
                                         backup.lastPlay.isEmpty() ? QStringLiteral("なし") : backup.lastPlay,
                                         QStringLiteral("%1 件 → %2 件").arg(now).arg(playsAfter(backup, now))});
        for (int col : {1, 3})
            row->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignCenter);
    }
    // Each column as wide as its widest text and some room; the list is never narrower than its
    // columns, so that no text is cut at any size.
    const QFontMetrics metrics(lstBackups->font());
    int width = 2 * lstBackups->frameWidth() + lstBackups->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int col = 0; col < lstBackups->columnCount(); ++col) {
        int widest = metrics.horizontalAdvance(lstBackups->headerItem()->text(col));
        for (int row = 0; row < lstBackups->topLevelItemCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(lstBackups->topLevelItem(row)->text(col)));
        lstBackups->header()->resizeSection(col, widest + kCellRoom);
        width += widest + kCellRoom;
    }
    lstBackups->setMinimumSize(width, metrics.height() * 8);
    lblNoBackup->setVisible(m_backups.empty());
    cmdRestoreRun->setEnabled(!m_backups.empty());
    if (!m_backups.empty())
        lstBackups->setCurrentItem(lstBackups->topLevelItem(0));
    lstBackups->setFocus();
}

void RestoreDialog::done(int result)
{
    if (m_boxes.anyOpen()) {
        m_resultDue = result;
        return;
    }
    QDialog::done(result);
}

void RestoreDialog::cmdRestoreRun_Click()
{
    const int row = lstBackups->indexOfTopLevelItem(lstBackups->currentItem());
    if (row < 0 || row >= int(m_backups.size()))
        return;
    const Backups::Kept backup = m_backups[std::size_t(row)];
    // A run that may not write the data folder changes nothing.
    if (!m_services.records.refusal().isEmpty()) {
        m_services.messages.critical(m_services.records.refusal(), kTitle);
        return;
    }
    const int now = playsNow(m_services);
    const QString question = QStringLiteral("%1 のバックアップから復元します。\n記録は %2 件から %3 件になります。\n\n"
                                            "いまのデータは、復元の前にバックアップしておきます。よろしいですか？")
                                 .arg(nameOf(backup))
                                 .arg(now)
                                 .arg(playsAfter(backup, now));
    if (!m_services.messages.confirm(question, QStringLiteral("復元確認")))
        return;
    const Backups::Restored result = dataBackups(m_services).restore(backup);
    const QString skipped = result.skipped.isEmpty()
        ? QString()
        : QStringLiteral("\n\n次のファイルは、このソフトのファイルではないため復元しませんでした。\n　")
            + result.skipped.first(std::min(result.skipped.size(), kMostListed)).join(QStringLiteral("\n　"))
            + (result.skipped.size() > kMostListed ? QStringLiteral("\n　ほかに %1 個").arg(result.skipped.size() - kMostListed)
                                                   : QString());
    if (!result.failure.isEmpty()) {
        m_services.messages.critical(result.failure + skipped, kTitle);
        fill(); // the backup of the data before it stays, and is listed
        return;
    }
    accept();
    Q_EMIT restored();
    m_services.messages.information(QStringLiteral("バックアップから復元しました。\n\n"
                                                   "復元の前のデータは、バックアップ「%1」として残してあり、"
                                                   "「バックアップから復元」の一覧から元に戻せます。")
                                            .arg(QDir(result.before).dirName())
                                        + skipped,
                                    kTitle);
}

} // namespace kotohana
