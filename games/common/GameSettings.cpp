#include "GameSettings.h"

#include "platform/ListFormat.h"
#include "platform/TextFile.h"

namespace kotohana {
namespace {

const QString kTimeMode = QStringLiteral("秒数");
const QString kCountMode = QStringLiteral("答数");

std::optional<int> wholeNumber(QStringView field, int lowest, int highest)
{
    const std::optional<float> value = ListFormat::parseNumber(field);
    if (!value || *value != float(int(*value)) || *value < float(lowest) || *value > float(highest))
        return std::nullopt;
    return int(*value);
}

} // namespace

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

std::optional<GameSettings> GameSettingsFile::parse() const
{
    const TextFile::ReadResult file = TextFile::read(m_path);
    if (!file.ok || file.hadInvalidBytes)
        return std::nullopt;
    const QList<QStringView> lines = TextFile::lines(file.text);
    if (lines.isEmpty())
        return std::nullopt;
    const ListFormat::Fields fields = ListFormat::splitFields(lines.first());
    const bool hasMode = !m_modeNames.isEmpty();
    if (fields.size() != (hasMode ? 5 : 4))
        return std::nullopt;
    GameSettings settings;
    const std::optional<int> answers = wholeNumber(fields[0], 1, 100);
    const std::optional<int> seconds = wholeNumber(fields[1], 10, 180);
    int next = 2;
    if (hasMode) {
        settings.modeName = fields[next++].toString();
        if (!m_modeNames.contains(settings.modeName))
            return std::nullopt;
    }
    settings.timingName = fields[next++].toString();
    const std::optional<int> autoSave = wholeNumber(fields[next], 0, 1);
    if (!answers || !seconds || *seconds % 5 != 0 || !autoSave
        || (settings.timingName != kTimeMode && settings.timingName != kCountMode))
        return std::nullopt; // seconds must be one of the listed limits too
    settings.answers = *answers;
    settings.seconds = *seconds;
    settings.autoSave = *autoSave;
    return settings;
}

GameSettings GameSettingsFile::load() const
{
    if (std::optional<GameSettings> stored = parse())
        return *stored;
    const GameSettings fallback = defaults();
    save(fallback);
    return fallback;
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
