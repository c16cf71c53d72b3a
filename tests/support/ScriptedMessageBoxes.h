#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
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

    void information(const QString &text, const QString &title) override { m_shown.append({Icon::Information, title, text}); }
    void warning(const QString &text, const QString &title) override { m_shown.append({Icon::Exclamation, title, text}); }
    bool confirm(const QString &text, const QString &title) override
    {
        m_shown.append({Icon::Exclamation, title, text});
        return !m_answers.isEmpty() && m_answers.takeFirst();
    }
    void critical(const QString &text, const QString &title) override { m_shown.append({Icon::Critical, title, text}); }
    SaveChoice askToSave(const QString &text, const QString &title) override
    {
        m_shown.append({Icon::Question, title, text});
        return m_saveChoices.isEmpty() ? SaveChoice::Cancel : m_saveChoices.takeFirst();
    }

    void answerNext(bool ok) { m_answers.append(ok); }
    void chooseNext(SaveChoice choice) { m_saveChoices.append(choice); }
    const QList<Shown> &shown() const { return m_shown; }
    void forget() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QList<bool> m_answers;
    QList<SaveChoice> m_saveChoices;
};

} // namespace kotohana::test
