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
Setting<std::optional<QString>> secondField(const DataFolder &folder, const QString &name, const QString &instead)
{
    const TextFile::ReadResult file = TextFile::read(folder.path(name));
    if (!file.ok)
        return {std::nullopt, file.message + u'\n' + instead};
    const QList<QStringView> lines = TextFile::lines(file.text);
    if (lines.isEmpty())
        return {};
    const ListFormat::Fields fields = ListFormat::splitFields(lines.first());
    if (fields.size() < 2)
        return {};
    return {fields[1].toString(), {}};
}

} // namespace

Setting<int> readHelpTourFlag(const DataFolder &folder)
{
    const auto field = secondField(folder, kSettingsFile, QStringLiteral("最初の設定（ヘルプツアーはオン）で始めます。"));
    const std::optional<float> number = field.value ? ListFormat::parseNumber(*field.value) : std::nullopt;
    // The flag is written as 0 or 1; any other number beyond an int is no flag at all.
    const std::optional<int> flag = number ? Formats::wholePartWithin(*number, std::numeric_limits<int>::min(),
                                                                      std::numeric_limits<int>::max())
                                           : std::nullopt;
    return {flag.value_or(1), field.failure};
}

FileResult writeHelpTourFlag(const DataFolder &folder, int flag)
{
    ListFormat::LineWriter line;
    line.text(u"ヘルプツアー").integer(flag);
    return TextFile::writeLines(folder.path(kSettingsFile), {line.line()});
}

Setting<QString> readUserName(const DataFolder &folder)
{
    const auto field = secondField(folder, kPrivateFile, QStringLiteral("名前なしで始めます。"));
    return {field.value.value_or(QString()), field.failure};
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
