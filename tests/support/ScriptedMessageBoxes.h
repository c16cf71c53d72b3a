#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <functional>
#include <QString>

namespace kotohana::test {

// Records every message instead of showing it; questions are answered from a queue
// (Cancel when the queue is empty).
class ScriptedMessageBoxes final : public MessageBoxes
{
public:
    enum class Icon { Information, Exclamation, Critical, Question };

    struct Shown {
        Icon icon;
        QString title;
        QString text;
    };

    void information(const QString &text, const QString &title) override { show({Icon::Information, title, text}); }
    void warning(const QString &text, const QString &title) override { show({Icon::Exclamation, title, text}); }
    bool confirm(const QString &text, const QString &title) override
    {
        show({Icon::Exclamation, title, text});
        return !m_answers.isEmpty() && m_answers.takeFirst();
    }
    void critical(const QString &text, const QString &title) override { show({Icon::Critical, title, text}); }
    SaveChoice askToSave(const QString &text, const QString &title) override
    {
        show({Icon::Question, title, text});
        return m_saveChoices.isEmpty() ? SaveChoice::Cancel : m_saveChoices.takeFirst();
    }

    void answerNext(bool ok) { m_answers.append(ok); }
    void chooseNext(SaveChoice choice) { m_saveChoices.append(choice); }
    const QList<Shown> &shown() const { return m_shown; }
    void forget() { m_shown.clear(); }
    // Called as each message would show, to look at the windows behind it.
    std::function<void(const Shown &)> onShow;

private:
    void show(const Shown &message)
    {
        m_shown.append(message);
        if (onShow)
            onShow(message);
    }

    QList<Shown> m_shown;
    QList<bool> m_answers;
    QList<SaveChoice> m_saveChoices;
};

} // namespace kotohana::test
