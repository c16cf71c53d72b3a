#pragma once

#include "records/Backups.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kotohana {

struct Services;

// The edit page's "バックアップから復元": the program's backups, newest first, with what each
// holds and what restoring it would change; one is restored after a question.
class RestoreDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit RestoreDialog(const Services &services, QWidget *parent = nullptr);

    void cmdRestoreRun_Click();

Q_SIGNALS:
    // The data files are the backup's now: every page is to show them.
    void restored();

private:
    void fill();

    const Services &m_services;
    std::vector<Backups::Kept> m_backups;

    QLabel *lblNoBackup = nullptr;
    QTreeWidget *lstBackups = nullptr;
    QPushButton *cmdRestoreRun = nullptr;
    QPushButton *cmdRestoreClose = nullptr;
};

} // namespace kotohana
