// Writes a realistic データ.txt: kotohana_gendata [records] [file]
#include "RecordGenerator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int count = args.size() > 1 ? args.at(1).toInt() : 100000;
    const QString path = args.size() > 2 ? args.at(2) : QStringLiteral("データ.txt");
    const kotohana::FileResult result = kotohana::bench::generateRecords(path, count, 20241207);
    if (!result.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    }
    std::printf("%d records written to %s\n", count, qPrintable(path));
    return 0;
}
