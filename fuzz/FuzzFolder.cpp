#include "FuzzFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace kotohana::fuzz {

const DataFolder &folder()
{
    static QTemporaryDir directory;
    static const DataFolder data(directory.path());
    if (!directory.isValid())
        fail("no temporary folder");
    return data;
}

QString writeFile(const QString &fileName, QByteArrayView bytes)
{
    const QString path = folder().path(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        fail("cannot write the input file");
    return path;
}

void fail(const char *what)
{
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

} // namespace kotohana::fuzz
