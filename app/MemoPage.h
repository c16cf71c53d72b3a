#pragma once

#include <QFrame>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kotohana {

class Grid;
struct Services;

// The "一言日記" page: the free memo (メモ.TXT) and a one-line diary for each play, kept in
// the play's record in データ.txt.
class MemoPage final : public QFrame
{
    Q_OBJECT

public:
    MemoPage(const Services &services, QWidget *parent = nullptr);

    void LoadMemo();
    // The memo as メモ.TXT holds it, its lines ending as the box keeps them; a file that cannot
    // be read is reported, and reads as nothing.
    static QString readMemo(const Services &services);
    // Before the memo box goes out of sight: a memo that differs from メモ.TXT is saved or let go
    // as the user says. False when the user stays (キャンセル, or the save failed).
    bool settleMemo();
    // Rebuilds the diary list when the page opens; no row is picked yet.
    void prepare();
    void SetupDiaryList();
    void FillDiaryList();

    void cmdKizukiHozon_Click();
    bool saveMemo();
    void msgMemoList_Click();
    void cmdMemoHozon_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Services &m_services;
    int m_selectedRow = 0;
    QString m_savedMemo; // the memo as メモ.TXT holds it

    QPlainTextEdit *txtKizuki = nullptr;
    QPushButton *cmdKizukiHozon = nullptr;
    Grid *msgMemoList = nullptr;
    QLineEdit *txtMemo = nullptr;
    QPushButton *cmdMemoHozon = nullptr;
};

} // namespace kotohana
