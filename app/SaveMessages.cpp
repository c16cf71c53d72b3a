#include "SaveMessages.h"

#include "platform/FileResult.h"
#include "platform/MessageBoxes.h"
#include "platform/ShiftJis.h"
#include "records/RecordRewrite.h"

namespace kotohana::SaveMessages {
namespace {

const QString kTitle = QStringLiteral("保存できません");

} // namespace

bool checkStorable(MessageBoxes &messages, const QString &text)
{
    const std::optional<char32_t> character = ShiftJis::firstUnencodable(text);
    if (!character)
        return true;
    messages.critical(QStringLiteral("%1 は保存できない文字です。\r\nこの文字を取り除くか、別の文字に置き換えてから"
                                     "もう一度保存してください。")
                          .arg(ShiftJis::describeCharacter(*character)),
                      kTitle);
    return false;
}

bool report(MessageBoxes &messages, const FileResult &result)
{
    if (result.ok())
        return true;
    messages.critical(result.message, kTitle);
    return false;
}

bool report(MessageBoxes &messages, const RecordRewrite &rewrite)
{
    if (!report(messages, rewrite.result))
        return false;
    if (!rewrite.backupName.isEmpty())
        messages.information(rewrite.backupNotice(), QStringLiteral("控えを作りました"));
    return true;
}

} // namespace kotohana::SaveMessages
