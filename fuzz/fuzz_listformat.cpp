// A list file (a dictionary, a topic list) read as the games read it, and every field of it
// written back as a record line would write it.
#include "FuzzFolder.h"

#include "platform/ListFormat.h"
#include "platform/TextFile.h"

using namespace kotohana;

namespace {

// A line made of the fields splits back into the same fields, each as a quoted field holds it.
void checkWrittenBack(const ListFormat::Fields &fields)
{
    ListFormat::LineWriter writer;
    for (QStringView field : fields)
        writer.text(field);
    const ListFormat::Fields again = ListFormat::splitFields(writer.line());
    if (again.size() != fields.size())
        fuzz::fail("a written line splits into another number of fields");
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (again[i] != ListFormat::quotableText(fields[i]))
            fuzz::fail("a written field reads back changed");
    }
}

void checkNumber(QStringView field)
{
    const std::optional<float> value = ListFormat::parseNumber(field);
    if (value && ListFormat::parseNumber(ListFormat::formatNumber(*value)) != value)
        fuzz::fail("a number written reads back as another");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::writeFile(QStringLiteral("辞書.txt"), fuzz::bytesOf(data, size));
    const TextFile::ReadResult file = TextFile::read(path);
    const QStringList entries = ListFormat::entries(file.text);
    for (const QString &entry : entries) {
        if (entry.isEmpty())
            fuzz::fail("an empty entry");
    }
    for (QStringView line : TextFile::lines(file.text)) {
        const ListFormat::Fields fields = ListFormat::splitFields(line);
        checkWrittenBack(fields);
        for (QStringView field : fields)
            checkNumber(field);
    }
    return 0;
}
