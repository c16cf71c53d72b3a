#include "GameSettings.h"

#include "platform/Formats.h"
#include "platform/ListFormat.h"
#include "platform/TextFile.h"

#include <QFileInfo>

#include <optional>

namespace kotohana {
namespace {

const QString kTimeMode = QStringLiteral("秒数");
const QString kCountMode = QStringLiteral("答数");

std::optional<int> wholeNumber(QStringView field, int lowest, int highest)
{
    const std::optional<float> value = ListFormat::parseNumber(field);
    const std::optional<int> whole = value ? Formats::wholePartWithin(*value, lowest, highest) : std::nullopt;
    if (!whole || float(*whole) != *value)
        return std::nullopt;
    return whole;
}

} // namespace

QStringList secondsLimits()
{
    QStringList seconds;
    for (int s = 10; s <= 180; s += 5)
        seconds.append(QString::number(s));
    return seconds;
}

QStringList answerLimits()
{
    QStringList answers;
    for (int a = 1; a <= 100; ++a)
        answers.append(QString::number(a));
    return answers;
}

GameSettingsFile::GameSettingsFile(QString path, QStringList modeNames)
    : m_path(std::move(path))
    , m_modeNames(std::move(modeNames))
{
}

GameSettings GameSettingsFile::defaults() const
{
    GameSettings settings;
    if (!m_modeNames.isEmpty())
        settings.modeName = m_modeNames.first();
    return settings;
}

GameSettingsFile::LoadResult GameSettingsFile::load() const
{
    using Status = LoadResult::Status;
    LoadResult result;
    result.settings = defaults();
    const TextFile::ReadResult file = TextFile::read(m_path);
    if (!file.ok) {
        result.status = Status::Unreadable;
        result.message = file.message + QStringLiteral("\n最初の設定で始めます。");
        return result;
    }
    const QList<QStringView> lines = TextFile::lines(file.text);
    if (lines.isEmpty()) {
        result.status = Status::Created;
        const FileResult saved = save(result.settings);
        if (!saved.ok())
            result.message = saved.message;
        return result;
    }

    const ListFormat::Fields fields = ListFormat::splitFields(lines.first());
    const bool hasMode = !m_modeNames.isEmpty();
    const qsizetype expected = hasMode ? 5 : 4;
    bool damaged = fields.size() != expected || lines.size() > 1 || file.hadInvalidBytes;
    const auto field = [&](qsizetype i) { return i < fields.size() ? fields[i] : QStringView(); };
    // Each field is taken on its own: a damaged one falls back, the rest are kept.
    const auto take = [&damaged](auto parsed, auto &target) {
        if (parsed)
            target = *parsed;
        else
            damaged = true;
    };
    GameSettings &settings = result.settings;
    take(wholeNumber(field(0), 1, 100), settings.answers);
    std::optional<int> seconds = wholeNumber(field(1), 10, 180);
    if (seconds && *seconds % 5 != 0)
        seconds.reset(); // seconds must be one of the listed limits
    take(seconds, settings.seconds);
    qsizetype next = 2;
    if (hasMode) {
        const QString mode = field(next++).toString();
        take(m_modeNames.contains(mode) ? std::optional<QString>(mode) : std::nullopt, settings.modeName);
    }
    const QString timing = field(next++).toString();
    take(timing == kTimeMode || timing == kCountMode ? std::optional<QString>(timing) : std::nullopt, settings.timingName);
    take(wholeNumber(field(next), 0, 1), settings.autoSave);

    if (damaged) {
        result.status = Status::Repaired;
        result.message = QStringLiteral("「%1」の一部が読めなかったため、読めなかった設定だけを最初の値に戻しました。")
                             .arg(QFileInfo(m_path).fileName());
        const FileResult saved = save(settings);
        if (!saved.ok())
            result.message += QStringLiteral("\n") + saved.message;
    }
    return result;
}

FileResult GameSettingsFile::save(const GameSettings &settings) const
{
    ListFormat::LineWriter line;
    line.integer(settings.answers).integer(settings.seconds);
    if (!m_modeNames.isEmpty())
        line.text(settings.modeName);
    line.text(settings.timingName).integer(settings.autoSave);
    return TextFile::writeLines(m_path, {line.line()});
}

} // namespace kotohana
