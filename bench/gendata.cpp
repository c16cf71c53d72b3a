// Writes a realistic データ.txt for the benchmark and for trying the program with years of plays.
#include "RecordGenerator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

const char kUsage[] = "usage: kotohana_gendata [--force] [RECORDS] [FILE]\n"
                      "Writes RECORDS plays (default 100000) into FILE (default ./データ.txt).\n"
                      "An existing FILE is left as it is unless --force is given.\n";

int refuse(const char *why)
{
    std::fprintf(stderr, "kotohana_gendata: %s\n%s", why, kUsage);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool force = args.removeAll(QStringLiteral("--force")) > 0;
    for (const QString &arg : args) {
        if (arg.startsWith(u'-'))
            return refuse("unknown option");
    }
    if (args.size() > 2)
        return refuse("too many arguments");
    bool isNumber = true;
    const int count = args.isEmpty() ? 100000 : args.at(0).toInt(&isNumber);
    if (!isNumber || count < 0)
        return refuse("RECORDS must be a whole number");
    const QString path = args.size() > 1 ? args.at(1) : QStringLiteral("データ.txt");
    if (QFileInfo::exists(path) && !force) {
        std::fprintf(stderr, "kotohana_gendata: %s exists; give --force to replace it\n", qPrintable(path));
        return 1;
    }
    const kotohana::FileResult result = kotohana::bench::generateRecords(path, count, 20241207);
    if (!result.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    }
    std::printf("%d records written to %s\n", count, qPrintable(path));
    return 0;
}
