// データ.txt read as the record book reads it, then rewritten as the record book rewrites it.
#include "FuzzFolder.h"

#include "platform/ListFormat.h"
#include "platform/TextFile.h"
#include "records/PlayRecordFile.h"

using namespace kotohana;

namespace {

// The records the whole text holds, line by line, as a file read at once would give them.
PlayRecordFile::ReadResult readWhole(const QString &path)
{
    PlayRecordFile::ReadResult result;
    const TextFile::ReadResult file = TextFile::read(path);
    for (QStringView line : TextFile::lines(file.text)) {
        if (ListFormat::splitFields(line).isEmpty())
            continue;
        if (std::optional<PlayRecord> record = PlayRecordFile::recordOf(line, nullptr))
            result.records.push_back(std::move(*record));
        else
            ++result.skippedLines;
    }
    result.hadInvalidBytes = file.hadInvalidBytes;
    return result;
}

PlayRecord asRewritten(const PlayRecord &record)
{
    return {ListFormat::quotableText(record.date), ListFormat::quotableText(record.time), ListFormat::quotableText(record.item),
            record.seconds, ListFormat::quotableText(record.diary)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::writeFile(QString::fromUtf16(PlayRecordFile::kFileName), fuzz::bytesOf(data, size));
    const PlayRecordFile file(path);
    const PlayRecordFile::ReadResult read = file.readAll();
    if (!read.ok)
        fuzz::fail("a regular file could not be read");
    const PlayRecordFile::ReadResult whole = readWhole(path);
    if (read.records != whole.records || read.skippedLines != whole.skippedLines || read.hadInvalidBytes != whole.hadInvalidBytes)
        fuzz::fail("reading in pieces differs from reading whole");

    // A rewrite keeps every record the file held.
    if (!file.rewrite(read.records).ok())
        fuzz::fail("the records read cannot be written back");
    const PlayRecordFile::ReadResult again = file.readAll();
    if (again.skippedLines != 0 || again.hadInvalidBytes || again.records.size() != read.records.size())
        fuzz::fail("a rewritten file does not read back whole");
    for (std::size_t i = 0; i < read.records.size(); ++i) {
        if (again.records[i] != asRewritten(read.records[i]))
            fuzz::fail("a rewritten record reads back changed");
    }
    return 0;
}
