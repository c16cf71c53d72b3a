#pragma once

#include "platform/Desktop.h"

namespace kotohana {

// The desktop's own save dialog, over whichever window is active, and its file manager.
class QtDesktop final : public Desktop
{
public:
    QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter) override;
    bool openFolder(const QString &directory) override;
};

} // namespace kotohana
