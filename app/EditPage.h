#pragma once

#include <QFrame>

#include <memory>

class QLineEdit;
class QPushButton;

namespace kotohana {

class Desktop;
class Grid;
struct ProgramState;
struct Services;

// The "編集" page: the user's name, and the list of every play with single deletion; the
// records written out as a spreadsheet file, a backup restored, and the data folder opened in
// the file manager.
class EditPage final : public QFrame
{
    Q_OBJECT

public:
    EditPage(const Services &services, ProgramState &state, QWidget *parent = nullptr);
    ~EditPage() override;

    // The save dialog and file manager the page uses: the desktop's own unless a test puts
    // its own in.
    void setDesktop(Desktop &desktop);

    // Fills the page when it opens: the name, and the list with no row picked.
    void prepare();
    void SetupEditList();
    void FillEditList();

    void cmdPHozon1_Click();
    void msgHenList_Click();
    void cmdRowDel_Click();
    void cmdNew1_Click();
    void cmdCsv_Click();
    void cmdRestore_Click();
    void cmdOpenFolder_Click();

Q_SIGNALS:
    void userNameSaved();
    // A deletion was tried: データ.txt may hold other records now, which the main page must show.
    void recordsChanged();
    // A backup took the data files' place: every page is to show what they hold now.
    void dataRestored();
    // The new start has emptied the play data: the program ends at once.
    void programEnd();

private:
    const Services &m_services;
    ProgramState &m_state;
    std::unique_ptr<Desktop> m_ownDesktop;
    Desktop *m_desktop = nullptr;

    QLineEdit *txtPriData = nullptr;
    QPushButton *cmdPHozon1 = nullptr;
    Grid *msgHenList = nullptr;
    QPushButton *cmdRowDel = nullptr;
    QPushButton *cmdNew1 = nullptr;
    QPushButton *cmdCsv = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdOpenFolder = nullptr;
};

} // namespace kotohana
