#pragma once

#include <QString>

namespace kotohana {

// Modal messages to the user. The program shows real message boxes; tests record what
// would have been shown and answer from a script.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // A notice: the information icon and an OK button.
    virtual void information(const QString &text, const QString &title) = 0;
    // A caution: the exclamation icon and an OK button.
    virtual void warning(const QString &text, const QString &title) = 0;
    // A question before a destructive step: the exclamation icon, OK and Cancel. True only for OK.
    virtual bool confirm(const QString &text, const QString &title) = 0;
    // A wrong answer or a failure: the critical icon and an OK button.
    virtual void critical(const QString &text, const QString &title) = 0;

    enum class SaveChoice { Save, Discard, Cancel };
    // Unsaved work: the question icon and 保存する, 保存しない and キャンセル (Esc).
    virtual SaveChoice askToSave(const QString &text, const QString &title) = 0;
};

} // namespace kotohana
