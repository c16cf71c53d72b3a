// A game's history file read as the history list reads it and narrowed as its filters narrow
// it; and 連想心理's answer log and answers, read as a topic opens.
#include "FuzzFolder.h"

#include "games/common/History.h"
#include "games/common/WordPlay.h"
#include "games/rensou/RensouPlay.h"
#include "games/rensou/RensouRules.h"
#include "games/rensou/TopicFiles.h"
#include "games/vocabra/VocabraPlay.h"

using namespace kotohana;

namespace {

void readHistory(const QString &path, const HistoryLayout &layout)
{
    const HistoryFile file(path, layout);
    const HistoryFile::ReadResult read = file.readAll();
    if (!read.ok)
        fuzz::fail("a regular history file could not be read");
    const HistoryFilter filters[] = {{}, {QStringLiteral("初級"), QStringLiteral("60"), QStringLiteral("20")}};
    for (const HistoryRow &row : read.rows) {
        if (row.size() != qsizetype(layout.fields.size()))
            fuzz::fail("a history row of another layout");
        for (const HistoryFilter &filter : filters)
            matches(layout, row, filter);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzz::bytesOf(data, size);
    const QString history = fuzz::writeFile(QStringLiteral("履歴.txt"), bytes);
    static constexpr auto kWordTable = wordTable(u"答数", HistoryColumn::Source::Answers, u"秒数");
    readHistory(history, HistoryLayout(kWordTable));
    readHistory(history, HistoryLayout(kLevelTable));
    readHistory(history, vocabraHistory());
    readHistory(history, rensouHistory());

    const QString topic = QStringLiteral("果物");
    fuzz::writeFile(RensouRules::answerFileName(topic), bytes);
    fuzz::writeFile(RensouRules::answerLogName(topic), bytes);
    const TopicFiles::Contents contents = TopicFiles(fuzz::folder(), topic).open();
    if (!contents.ok())
        fuzz::fail("a topic's regular files could not be read");
    for (const QStringList &line : contents.log)
        RensouRules::playOfTheDay(contents.log, line.value(0));
    return 0;
}
