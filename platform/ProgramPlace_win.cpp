#include "ProgramPlace.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <shellapi.h>

#include <vector>

namespace kotohana {

QStringList argumentsBeforeQt(int, char **)
{
    // The arguments in UTF-16 as the system keeps them; argv holds them in the ANSI code page,
    // which cannot hold every name.
    QStringList arguments;
    int count = 0;
    if (LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments.append(QString::fromWCharArray(wide[i]));
        LocalFree(wide);
    }
    return arguments;
}

QString programDirectoryBeforeQt()
{
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return QFileInfo(QDir::fromNativeSeparators(QString::fromWCharArray(name.data(), int(length)))).absolutePath();
        name.resize(name.size() * 2);
    }
}

} // namespace kotohana
