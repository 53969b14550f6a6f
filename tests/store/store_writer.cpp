// store_writer FOLDER TAG COUNT: saves COUNT new puzzles of writer TAG into the store in FOLDER,
// as another program on the same folder would; prints how many saves found the store busy.

#include "StoreWriter.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: store_writer FOLDER TAG COUNT\n");
        return 2;
    }
    try {
        const int refusals = tivane::StoreWriter::saveMany(args[1], args[2].toInt(), args[3].toInt());
        std::printf("%d\n", refusals);
    } catch (const tivane::Error &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
