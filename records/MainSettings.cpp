#include "MainSettings.h"

#include "platform/DataFolder.h"
#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/TextFile.h"

#include <limits>

namespace kotohana::MainSettings {
namespace {

const QString kSettingsFile = QStringLiteral("設定.txt");
const QString kPrivateFile = QStringLiteral("プライベート.txt");

// Field 2 of the file's first record, if there is one. A file that cannot be read is told of,
// with what the program does instead.
std::optional<QString> secondField(const DataFolder &folder, const QString &name, QString *failure, const QString &instead)
{
    const TextFile::ReadResult file = TextFile::read(folder.path(name));
    if (!file.ok && failure)
        *failure = file.message + u'\n' + instead;
    if (!file.ok)
        return std::nullopt;
    const QList<QStringView> lines = TextFile::lines(file.text);
    if (lines.isEmpty())
        return std::nullopt;
    const ListFormat::Fields fields = ListFormat::splitFields(lines.first());
    if (fields.size() < 2)
        return std::nullopt;
    return fields[1].toString();
}

} // namespace

int readHelpTourFlag(const DataFolder &folder, QString *failure)
{
    const std::optional<QString> field = secondField(folder, kSettingsFile, failure,
                                                     QStringLiteral("最初の設定（ヘルプツアーはオン）で始めます。"));
    const std::optional<float> number = field ? ListFormat::parseNumber(*field) : std::nullopt;
    // The flag is written as 0 or 1; any other number beyond an int is no flag at all.
    const std::optional<int> flag = number
        ? Formats::wholePartWithin(*number, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())
        : std::nullopt;
    return flag.value_or(1);
}

FileResult writeHelpTourFlag(const DataFolder &folder, int flag)
{
    ListFormat::LineWriter line;
    line.text(u"ヘルプツアー").integer(flag);
    return TextFile::writeLines(folder.path(kSettingsFile), {line.line()});
}

QString readUserName(const DataFolder &folder, QString *failure)
{
    return secondField(folder, kPrivateFile, failure, QStringLiteral("名前なしで始めます。")).value_or(QString());
}

FileResult writeUserName(const DataFolder &folder, const QString &name)
{
    ListFormat::LineWriter line;
    line.text(u"氏名").text(name);
    return TextFile::writeLines(folder.path(kPrivateFile), {line.line()});
}

QString windowTitle(const QString &userName)
{
    if (userName.isEmpty())
        return QStringLiteral(" コトハナ");
    return u' ' + userName + QStringLiteral(" の コトハナ");
}

} // namespace kotohana::MainSettings
