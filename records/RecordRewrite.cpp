#include "RecordRewrite.h"

#include "RecordStore.h"

#include "platform/DataFolder.h"

#include <QFile>
#include <QFileInfo>

namespace kotohana {
namespace {

// Copies the record file to データ.txt.bak, or .bak2, .bak3 ... when an older backup exists.
std::optional<QString> backUp(const DataFolder &folder, const QString &path)
{
    const QString base = QFileInfo(path).fileName() + QStringLiteral(".bak");
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? base : base + QString::number(n);
        if (folder.contains(name))
            continue;
        if (QFile::copy(path, folder.path(name)))
            return name;
        return std::nullopt;
    }
    return std::nullopt;
}

template <typename Change>
RecordRewrite guarded(const DataFolder &folder, RecordStore &store, bool fileHadUnreadLines, Change change)
{
    RecordRewrite outcome;
    if (!store.refusal().isEmpty()) {
        outcome.result = FileResult::failed(store.refusal());
        return outcome;
    }
    if (!store.unchanged()) {
        outcome.result = FileResult::failed(RecordStore::changedMessage());
        outcome.fileChanged = true;
        return outcome;
    }
    if (fileHadUnreadLines) {
        const std::optional<QString> backup = backUp(folder, store.path());
        if (!backup) {
            outcome.result = FileResult::failed(
                QStringLiteral("データ.txt には読み込めない行があるため、書き換える前に控えを作ろうとしましたが、"
                               "作れませんでした。データ.txt は変更していません。"));
            return outcome;
        }
        outcome.backupName = *backup;
    }
    outcome.result = change(store);
    return outcome;
}

} // namespace

RecordRewrite RecordRewrite::rewrite(const DataFolder &folder, RecordStore &store, const std::vector<PlayRecord> &records,
                                     bool fileHadUnreadLines)
{
    return guarded(folder, store, fileHadUnreadLines, [&](RecordStore &file) { return file.rewrite(records); });
}

RecordRewrite RecordRewrite::truncate(const DataFolder &folder, RecordStore &store, bool fileHadUnreadLines)
{
    return guarded(folder, store, fileHadUnreadLines, [](RecordStore &file) { return file.truncate(); });
}

namespace {

AppliedChange applyOnce(const DataFolder &folder, RecordStore &store, const RecordChange &change)
{
    const std::shared_ptr<const PlayRecordFile::ReadResult> read = store.snapshot();
    AppliedChange applied;
    if (!read->ok) {
        applied.found = true;
        applied.rewrite.result = FileResult::failed(read->message);
        return applied;
    }
    const std::vector<PlayRecord> &records = read->records;
    const auto isPicked = [&](std::size_t i) {
        const PlayRecord &record = records[i];
        return record.date == change.picked.date && record.time == change.picked.time && record.item == change.picked.item;
    };
    const std::size_t listed = std::min(change.listedIndex, records.size());
    for (std::size_t distance = 0; distance <= records.size() && !applied.found; ++distance) {
        // Below the place first: past the first record, listed - distance wraps to a number
        // no record has.
        for (const std::size_t i : {listed - distance, listed + distance}) {
            if (!applied.found && i < records.size() && isPicked(i)) {
                applied.found = true;
                applied.index = i;
            }
        }
    }
    if (!applied.found)
        return applied;

    std::vector<PlayRecord> edited = records;
    if (change.diary)
        edited[applied.index].diary = *change.diary;
    else
        edited.erase(edited.begin() + qsizetype(applied.index));
    const bool fileHadUnreadLines = !read->lossless();
    applied.rewrite = edited.empty() ? RecordRewrite::truncate(folder, store, fileHadUnreadLines)
                                     : RecordRewrite::rewrite(folder, store, edited, fileHadUnreadLines);
    return applied;
}

} // namespace

AppliedChange applyChange(const DataFolder &folder, RecordStore &store, const RecordChange &change)
{
    constexpr int kAttempts = 3;
    AppliedChange applied = applyOnce(folder, store, change);
    for (int attempt = 1; attempt < kAttempts && applied.rewrite.fileChanged; ++attempt)
        applied = applyOnce(folder, store, change);
    return applied;
}

QString RecordRewrite::backupNotice() const
{
    if (backupName.isEmpty())
        return {};
    return QStringLiteral("データ.txt に読み込めない行がありました。書き換える前のファイルを「%1」として残しました。").arg(backupName);
}

} // namespace kotohana
