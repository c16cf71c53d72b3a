#include "EditPage.h"

#include "DataBackup.h"
#include "Games.h"
#include "RecordLists.h"
#include "RestoreDialog.h"
#include "SaveMessages.h"

#include "games/common/ProgramState.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFile.h"
#include "records/MainSettings.h"
#include "records/RecordRewrite.h"
#include "records/RecordStore.h"
#include "records/RecordsCsv.h"
#include "records/Services.h"
#include "ui/Grid.h"
#include "ui/QtDesktop.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace kotohana {

EditPage::EditPage(const Services &services, ProgramState &state, QWidget *parent)
    : QFrame(parent)
    , m_services(services)
    , m_state(state)
    , m_ownDesktop(std::make_unique<QtDesktop>())
    , m_desktop(m_ownDesktop.get())
{
    setObjectName(QStringLiteral("fraSettei"));

    auto *nameCaption = new QLabel(QStringLiteral("名前（ニックネーム）"), this);
    txtPriData = new QLineEdit(this);
    txtPriData->setObjectName(QStringLiteral("txtPriData"));
    txtPriData->setAccessibleName(QStringLiteral("名前（ニックネーム）"));
    txtPriData->setMaximumWidth(260);
    cmdPHozon1 = new QPushButton(QStringLiteral("名前変更"), this);
    cmdPHozon1->setObjectName(QStringLiteral("cmdPHozon1"));

    auto *listCaption = new QLabel(QStringLiteral("これまでの記録"), this);
    QFont captionFont = listCaption->font();
    captionFont.setBold(true);
    captionFont.setPointSize(11);
    listCaption->setFont(captionFont);
    msgHenList = new Grid(this);
    msgHenList->setObjectName(QStringLiteral("msgHenList"));
    msgHenList->setAccessibleName(QStringLiteral("これまでの記録"));
    cmdRowDel = new QPushButton(QStringLiteral("個別削除"), this);
    cmdRowDel->setObjectName(QStringLiteral("cmdRowDel"));
    cmdRowDel->setEnabled(false);

    cmdNew1 = new QPushButton(QStringLiteral("新規スタート（全削除）"), this);
    cmdNew1->setObjectName(QStringLiteral("cmdNew1"));
    cmdCsv = new QPushButton(QStringLiteral("CSV書き出し"), this);
    cmdCsv->setObjectName(QStringLiteral("cmdCsv"));
    cmdCsv->setToolTip(QStringLiteral("これまでの記録を表計算ソフトで開けるCSVファイルに書き出します"));
    cmdRestore = new QPushButton(QStringLiteral("バックアップから復元"), this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdRestore->setToolTip(QStringLiteral("毎日のバックアップから、その時のデータに戻します"));
    cmdOpenFolder = new QPushButton(QStringLiteral("データフォルダーを開く"), this);
    cmdOpenFolder->setObjectName(QStringLiteral("cmdOpenFolder"));
    cmdOpenFolder->setToolTip(QStringLiteral("記録や設定のファイルがあるフォルダーを開きます"));

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameCaption);
    nameRow->addWidget(txtPriData, 1);
    nameRow->addWidget(cmdPHozon1);
    nameRow->addStretch(1);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(listCaption);
    listRow->addStretch(1);
    listRow->addWidget(cmdRowDel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(nameRow);
    layout->addSpacing(8);
    layout->addLayout(listRow);
    layout->addWidget(msgHenList, 1);
    auto *newStartRow = new QHBoxLayout;
    newStartRow->addWidget(cmdCsv);
    newStartRow->addWidget(cmdRestore);
    newStartRow->addWidget(cmdOpenFolder);
    newStartRow->addStretch(1);
    newStartRow->addWidget(cmdNew1);
    layout->addLayout(newStartRow);
    // Tab follows the reading order, the list before the button that acts on its row (which,
    // disabled after a deletion, hands the focus on to the buttons below and not to the list);
    // the button that deletes everything, last in its row, comes last.
    QWidget *const readingOrder[] = {txtPriData, cmdPHozon1, msgHenList, cmdRowDel, cmdCsv, cmdRestore, cmdOpenFolder, cmdNew1};
    for (std::size_t i = 1; i < std::size(readingOrder); ++i)
        setTabOrder(readingOrder[i - 1], readingOrder[i]);

    connect(cmdPHozon1, &QPushButton::clicked, this, &EditPage::cmdPHozon1_Click);
    connect(msgHenList, &Grid::clicked, this, &EditPage::msgHenList_Click);
    connect(cmdRowDel, &QPushButton::clicked, this, &EditPage::cmdRowDel_Click);
    connect(cmdNew1, &QPushButton::clicked, this, &EditPage::cmdNew1_Click);
    connect(cmdCsv, &QPushButton::clicked, this, &EditPage::cmdCsv_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &EditPage::cmdRestore_Click);
    connect(cmdOpenFolder, &QPushButton::clicked, this, &EditPage::cmdOpenFolder_Click);
}

EditPage::~EditPage() = default;

void EditPage::setDesktop(Desktop &desktop)
{
    m_desktop = &desktop;
}

void EditPage::prepare()
{
    txtPriData->setText(m_state.userName);
    cmdRowDel->setEnabled(false);
    SetupEditList();
    FillEditList();
}

void EditPage::SetupEditList()
{
    RecordLists::setup(*msgHenList, 11, {800, 1400, 1000, 1750, 850, 5230});
}

void EditPage::FillEditList()
{
    RecordLists::load(*msgHenList, m_services, 24);
}

void EditPage::cmdPHozon1_Click()
{
    if (!SaveMessages::checkStorable(m_services.messages, txtPriData->text()))
        return;
    // A double quote would end the name's field early; the full-width one keeps the record whole.
    const QString name = ListFormat::quotableText(txtPriData->text());
    if (name != txtPriData->text())
        txtPriData->setText(name);
    if (!SaveMessages::report(m_services.messages, MainSettings::writeUserName(m_services.folder, name)))
        return;
    m_state.userName = name;
    Q_EMIT userNameSaved();
    m_services.messages.information(QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}

void EditPage::msgHenList_Click()
{
    if (msgHenList->rows() <= 1 || msgHenList->headingClicked())
        return;
    cmdRowDel->setEnabled(true);
}

void EditPage::cmdRowDel_Click()
{
    const int row = msgHenList->row();
    if (row < 1 || row >= msgHenList->rows())
        return;
    // Every deletion asks first, the last record's too: a mis-click must not erase a play.
    const QString question = msgHenList->textMatrix(row, 1) + u' ' + msgHenList->textMatrix(row, 2) + u' '
        + msgHenList->textMatrix(row, 3) + QStringLiteral(" を削除します。よろしいですか？");
    if (!m_services.messages.confirm(question, QStringLiteral("クリア確認")) || !backUpBeforeRemoving(m_services))
        return;
    RecordLists::change(*msgHenList, m_services, row, std::nullopt);
    // No row is picked until the user picks one again.
    msgHenList->setRow(0);
    cmdRowDel->setEnabled(false);
    Q_EMIT recordsChanged();
}

} // namespace kotohana

namespace kotohana {

void EditPage::cmdNew1_Click()
{
    if (!m_services.messages.confirm(QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"),
                                     QStringLiteral("クリア確認")))
        return;
    // The name is checked before anything is emptied, so a refusal leaves every file as it was.
    if (!SaveMessages::checkStorable(m_services.messages, txtPriData->text()) || !backUpBeforeRemoving(m_services))
        return;
    // Through the record store: a file with lines it could not read is kept as データ.txt.bak
    // first, and a read-only run refuses.
    const RecordRewrite emptied = RecordRewrite::truncate(m_services.folder, m_services.records,
                                                          !m_services.records.current().lossless());
    if (!SaveMessages::report(m_services.messages, emptied))
        return;
    const QString name = ListFormat::quotableText(txtPriData->text());
    if (!SaveMessages::report(m_services.messages, MainSettings::writeUserName(m_services.folder, name)))
        return;
    m_state.userName = name;
    for (const QString &history : Games::historyFiles()) {
        if (!SaveMessages::report(m_services.messages, TextFile::truncate(m_services.folder.path(history))))
            return;
    }
    m_services.messages.information(QStringLiteral("データを削除しました。\r\n\r\n"
                                                   "一旦プログラムを終了させていただきます。次の起動から新規スタートです！"),
                                    QStringLiteral("新規スタート準備完了"));
    Q_EMIT programEnd();
}

void EditPage::cmdCsv_Click()
{
    const QString title = QStringLiteral("CSV書き出し");
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(
                                      QStringLiteral("コトハナの記録_%1.csv").arg(m_services.clock.today().toString(u"yyyy-MM-dd")));
    QString path = m_desktop->saveFileName(title, suggested, QStringLiteral("CSV ファイル (*.csv)"));
    if (path.isEmpty())
        return;
    // Always a .csv: a name typed without it must never replace one of the program's own files.
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    // The file as it is once the user has chosen, as every list of the book shows it.
    const PlayRecordFile::ReadResult &read = m_services.records.current();
    if (!read.ok) {
        m_services.messages.critical(read.message, title);
        return;
    }
    const FileResult written = TextFile::writeBytes(path, recordsCsv(read.records));
    if (!written.ok()) {
        m_services.messages.critical(written.message, title);
        return;
    }
    QString done = QStringLiteral("%1 件の記録を書き出しました。\n").arg(read.records.size());
    if (read.skippedLines > 0)
        done += QStringLiteral("データ.txt の %1 行は記録として読めなかったため、書き出していません。\n").arg(read.skippedLines);
    m_services.messages.information(done + QDir::toNativeSeparators(path), title);
}

void EditPage::cmdRestore_Click()
{
    auto *dialog = new RestoreDialog(m_services, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &RestoreDialog::restored, this, &EditPage::dataRestored);
    dialog->open();
}

void EditPage::cmdOpenFolder_Click()
{
    const QString directory = m_services.folder.directory();
    if (!m_desktop->openFolder(directory))
        m_services.messages.critical(
            QStringLiteral("データフォルダー「%1」を開けませんでした。").arg(QDir::toNativeSeparators(directory)),
            QStringLiteral("データフォルダー"));
}

} // namespace kotohana
