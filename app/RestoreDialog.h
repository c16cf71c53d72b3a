#pragma once

#include "records/Backups.h"
#include "records/Services.h"
#include "ui/WatchedMessageBoxes.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kotohana {

// The edit page's "バックアップから復元": the program's backups, newest first, with what each
// holds and what restoring it would change; one is restored after a question.
class RestoreDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit RestoreDialog(const Services &services, QWidget *parent = nullptr);

    void cmdRestoreRun_Click();
    // Closes the dialog, but never from under a handler of its own that waits for a box to be
    // answered: then it closes once that handler is done.
    void done(int result) override;

Q_SIGNALS:
    // The data files are the backup's now: every page is to show them.
    void restored();

private:
    void fill();

    WatchedMessageBoxes m_boxes;
    const Services m_services;
    std::optional<int> m_resultDue;
    std::vector<Backups::Kept> m_backups;

    QLabel *lblNoBackup = nullptr;
    QTreeWidget *lstBackups = nullptr;
    QPushButton *cmdRestoreRun = nullptr;
    QPushButton *cmdRestoreClose = nullptr;
};

} // namespace kotohana
