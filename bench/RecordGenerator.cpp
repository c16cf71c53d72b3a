#include "RecordGenerator.h"

#include "platform/Formats.h"
#include "platform/TextFile.h"
#include "records/PlayRecordFile.h"

#include <QDate>
#include <QStringList>
#include <QTime>

#include <random>

namespace kotohana::bench {
namespace {

const QString kItems[] = {QStringLiteral("プラマイ"),  QStringLiteral("しりとり"), QStringLiteral("バラバラ"),
                          QStringLiteral("四熟虫喰"),  QStringLiteral("連想心理"), QStringLiteral("カラパニ"),
                          QStringLiteral("ボキャブラ")};

const QString kDiaries[] = {
    QStringLiteral("今日は調子が良かった"), QStringLiteral("眠くて集中できず"),         QStringLiteral("新記録！"),
    QStringLiteral("朝の一回目"),           QStringLiteral("散歩のあとで頭がすっきり"), QStringLiteral("家族と一緒に")};

QString summary(int game, bool secondsMode, int amount, std::mt19937 &random)
{
    const QString mode = secondsMode ? QStringLiteral("秒数") : QStringLiteral("答数");
    const QString head = mode + QStringLiteral(" : ") + QString::number(amount);
    switch (game) {
    case 0:
        return head + QStringLiteral("  (") + (random() % 2 ? QStringLiteral("＋") : QStringLiteral("－"))
            + QStringLiteral(") モード");
    case 1:
        return head + QStringLiteral("　新語 +") + QString::number(random() % 4);
    case 3:
        return head + QStringLiteral("  2:ノーマルモード");
    case 5:
        return head + QStringLiteral("  Eモード");
    case 6:
        return head + QStringLiteral("  1文字モード");
    default:
        return head;
    }
}

} // namespace

FileResult generateRecords(const QString &path, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> playsPerDay(4, 16);
    std::uniform_int_distribution<int> gap(60, 1800);
    QStringList lines;
    lines.reserve(count);
    QDate day(2000, 1, 1);
    while (lines.size() < count) {
        const int plays = playsPerDay(random);
        int secondOfDay = 6 * 3600 + int(random() % (4 * 3600));
        for (int i = 0; i < plays && lines.size() < count; ++i) {
            secondOfDay = std::min(secondOfDay + gap(random), 86399);
            const int game = int(random() % 7);
            const bool secondsMode = random() % 3 != 0;
            const int amount = secondsMode ? int(30 + 30 * (random() % 4)) : int(5 + 5 * (random() % 4));
            const float seconds = secondsMode ? float(amount) : float(50 + random() % 1500) / 10.0f;
            PlayRecord record{Formats::date(day), Formats::time(QTime(0, 0).addSecs(secondOfDay)), kItems[game], seconds,
                              summary(game, secondsMode, amount, random)};
            if (random() % 12 == 0)
                record.diary = kDiaries[random() % std::size(kDiaries)];
            const bool rewritten = lines.size() < count * 3 / 4;
            lines.append(rewritten ? PlayRecordFile::rewrittenLine(record) : PlayRecordFile::appendedLine(record));
        }
        day = day.addDays(1);
    }
    return TextFile::writeLines(path, lines);
}

} // namespace kotohana::bench
