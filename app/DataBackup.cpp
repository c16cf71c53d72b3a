#include "DataBackup.h"

#include "data/DeliveredFiles.h"
#include "games/common/GameCatalog.h"
#include "games/rensou/RensouRules.h"
#include "games/rensou/frmG5.h"
#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFile.h"
#include "records/RecordStore.h"
#include "records/Services.h"

namespace kotohana {

QStringList dataFileNames(const DataFolder &folder)
{
    // The topics are read as the game's window reads them, and skipped as it skips them.
    const QStringList programFiles = deliveredFileNames() + GameCatalog::fileNames();
    QStringList names = programFiles;
    const TextFile::ReadResult topics = TextFile::read(folder.path(frmG5::kTopicFile));
    for (const QString &topic : ListFormat::entries(topics.text)) {
        if (RensouRules::skipReason(topic, programFiles).isEmpty())
            names << RensouRules::answerFileName(topic) << RensouRules::answerLogName(topic);
    }
    return names;
}

Backups dataBackups(const Services &services)
{
    return Backups(services.folder, services.clock, dataFileNames(services.folder), dataFileNames);
}

Backups::Completion completeInterruptedRestore(const DataFolder &folder, MessageBoxes &messages)
{
    Backups::Completion completion = Backups::completeInterruptedRestore(folder);
    if (!completion.failure.isEmpty())
        messages.critical(completion.failure, QStringLiteral("バックアップから復元"));
    else if (completion.interrupted)
        messages.information(QStringLiteral("前回、途中で止まったバックアップからの復元を終えました。"),
                             QStringLiteral("バックアップから復元"));
    return completion;
}

void backUpDataFiles(const Services &services)
{
    if (!services.records.refusal().isEmpty())
        return;
    const Backups::Result result = dataBackups(services).makeDaily();
    if (!result.failure.isEmpty())
        services.messages.warning(result.failure, QStringLiteral("バックアップ"));
    if (!result.tooLarge.isEmpty())
        services.messages.warning(QStringLiteral("次のファイルは大きすぎるため、今日のバックアップに入れませんでした。\n%1")
                                      .arg(result.tooLarge.join(u'\n')),
                                  QStringLiteral("バックアップ"));
}

bool backUpBeforeRemoving(const Services &services)
{
    if (!services.records.refusal().isEmpty())
        return true; // nothing is removed in a read-only run: the removal itself is refused
    const Backups::Result result = dataBackups(services).refresh();
    return result.failure.isEmpty()
        || services.messages.confirm(result.failure + QStringLiteral("\r\n\r\nバックアップなしで続けますか？"),
                                     QStringLiteral("バックアップ"));
}

} // namespace kotohana
