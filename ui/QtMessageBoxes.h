#pragma once

#include "platform/MessageBoxes.h"

namespace kotohana {

// Real modal message boxes over whichever window is active.
class QtMessageBoxes final : public MessageBoxes
{
public:
    QtMessageBoxes();
    ~QtMessageBoxes() override;
    QtMessageBoxes(const QtMessageBoxes &) = delete;
    QtMessageBoxes &operator=(const QtMessageBoxes &) = delete;

    void information(const QString &text, const QString &title) override;
    void warning(const QString &text, const QString &title) override;
    bool confirm(const QString &text, const QString &title) override;
    void critical(const QString &text, const QString &title) override;
    SaveChoice askToSave(const QString &text, const QString &title) override;
};

} // namespace kotohana
