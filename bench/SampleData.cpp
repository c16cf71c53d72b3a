#include "SampleData.h"

#include "RecordGenerator.h"

#include "data/DeliveredFiles.h"
#include "games/barabara/frmG3.h"
#include "games/common/GameCatalog.h"
#include "games/karapani/frmG6.h"
#include "games/plamai/frmG1.h"
#include "games/rensou/TopicFiles.h"
#include "games/rensou/frmG5.h"
#include "games/shiritori/frmG2.h"
#include "games/vocabra/frmG7.h"
#include "games/yojijukugo/frmG4.h"
#include "platform/DataFolder.h"
#include "platform/ListFormat.h"
#include "platform/TextFile.h"
#include "records/PlayRecordFile.h"

#include <algorithm>

namespace kotohana::sample {

namespace {

// 連想心理's topics, a long one among them.
constexpr const char16_t *kTopics[] = {u"一番食べたいもの", u"好きな果物", u"お弁当に入っていてうれしいもの", u"赤いもの"};

// What a player gave for the first topic over a fortnight of plays.
constexpr const char16_t *kAnswers = u"すし ラーメン カレー ぎょうざ てんぷら うなぎ やきにく ステーキ ハンバーグ オムライス そば うどん "
                                     u"おにぎり からあげ とんかつ パスタ ピザ グラタン すきやき しゃぶしゃぶ おでん たこやき "
                                     u"おこのみやき やきとり さしみ かいせんどん ぎゅうどん おやこどん てんどん カツどん "
                                     u"シチュー コロッケ エビフライ チャーハン マーボーどうふ ちらしずし いくら メロン いちご "
                                     u"ケーキ プリン あんみつ";

void addTopicAnswers(const DataFolder &folder)
{
    const TopicFiles topic(folder, QString::fromUtf16(kTopics[0]));
    const QDateTime first(QDate(2000, 1, 29), QTime(8, 0, 0));
    int i = 0;
    for (const QString &answer : QString::fromUtf16(kAnswers).split(u' ')) {
        topic.addAnswer(answer);
        topic.logAnswer(first.addSecs(qint64(i / 3) * 86400 + i * 7), 1, answer);
        ++i;
    }
}

} // namespace

QStringList historyLines(const GameDefinition &game, int count)
{
    const HistoryLayout &layout = game.history;
    const QDateTime first(QDate(1998, 4, 1), QTime(7, 0, 0));
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QDateTime when = first.addSecs(qint64(i) * 9 * 3600 + (i % 7) * 613);
        ListFormat::LineWriter line;
        for (int field = 0; field < int(layout.fields.size()); ++field) {
            if (layout.fields[std::size_t(field)] == HistoryLayout::Field::Number) {
                line.integer(5 + (i * 7 + field * 13) % 95);
            } else if (field == 0) {
                line.text(when.date().toString(QStringLiteral("yyyy/MM/dd")));
            } else if (field == 1) {
                line.text(when.time().toString(QStringLiteral("hh:mm:ss")));
            } else if (field == layout.secondsField) {
                line.text(QString::number(30 + (i % 4) * 10) + QStringLiteral("秒"));
            } else if (field == layout.modeField) {
                const QString mode = game.modeNames.value(i % std::max<qsizetype>(game.modeNames.size(), 1));
                line.text(layout.modeByFirstCharacter ? mode.left(1) : mode);
            } else {
                // The other texts: a share of right answers, answers per second, a topic.
                const HistoryColumn::Source source = layout.columns[std::size_t(field)].source;
                if (source == HistoryColumn::Source::Rate)
                    line.text(QString::number(40 + i % 61) + QStringLiteral(".0%"));
                else if (source == HistoryColumn::Source::Speed)
                    line.text(QStringLiteral("%1/秒").arg(0.2 + (i % 9) * 0.15, 0, 'f', 2));
                else
                    line.text(QString::fromUtf16(kTopics[std::size_t(i) % std::size(kTopics)]));
            }
        }
        lines.append(line.line());
    }
    return lines;
}

QDateTime fillFolder(const DataFolder &folder, int records, int historyLength)
{
    folder.deliverMissing(deliveredFilesDirectory());
    TextFile::writeLines(folder.path(u"設定.txt"), {QStringLiteral("\"ヘルプツアー\",0")});
    const QString recordFile = folder.path(PlayRecordFile::kFileName);
    bench::generateRecords(recordFile, records, 20241207);
    const GameDefinition games[] = {frmG1::definition(), frmG2::definition(), frmG3::definition(), frmG4::definition(),
                                    frmG5::definition(), frmG6::definition(), frmG7::definition()};
    for (const GameDefinition &game : games)
        TextFile::writeLines(folder.path(game.game.historyFileName()), historyLines(game, historyLength));
    addTopicAnswers(folder);
    const std::vector<PlayRecord> plays = PlayRecordFile(recordFile).readAll().records;
    if (plays.empty())
        return QDateTime(QDate(2024, 5, 18), QTime(21, 0, 0));
    return QDateTime(QDate::fromString(plays.back().date, QStringLiteral("yyyy/MM/dd")),
                     QTime::fromString(plays.back().time, QStringLiteral("HH:mm:ss")));
}

} // namespace kotohana::sample
