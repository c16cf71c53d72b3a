// The settings files read as the program reads them at start and at a game's opening: 設定.txt,
// プライベート.txt and a game's settings file, with and without a mode list.
#include "FuzzFolder.h"

#include "games/common/GameSettings.h"
#include "records/MainSettings.h"

using namespace kotohana;

namespace {

// A file the load repaired or created reads back, next time, as exactly what was kept.
void checkGameSettings(QByteArrayView bytes, const QStringList &modeNames)
{
    const GameSettingsFile file(fuzz::writeFile(QStringLiteral("ゲーム設定.txt"), bytes), modeNames);
    const GameSettingsFile::LoadResult first = file.load();
    if (first.status == GameSettingsFile::LoadResult::Status::Unreadable)
        fuzz::fail("a regular settings file could not be read");
    const GameSettingsFile::LoadResult second = file.load();
    if (second.status != GameSettingsFile::LoadResult::Status::Read || second.settings != first.settings)
        fuzz::fail("settings written back do not read back as kept");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzz::bytesOf(data, size);
    fuzz::writeFile(QStringLiteral("設定.txt"), bytes);
    fuzz::writeFile(QStringLiteral("プライベート.txt"), bytes);
    const int flag = MainSettings::readHelpTourFlag(fuzz::folder());
    const QString name = MainSettings::readUserName(fuzz::folder());
    MainSettings::windowTitle(name);
    if (MainSettings::writeHelpTourFlag(fuzz::folder(), flag).ok() && MainSettings::readHelpTourFlag(fuzz::folder()) != flag)
        fuzz::fail("the help-tour switch written reads back as another");

    checkGameSettings(bytes, {});
    checkGameSettings(bytes, {QStringLiteral("足し算"), QStringLiteral("引き算"), QStringLiteral("混合")});
    return 0;
}
