// record_appender FOLDER CHILD COUNT: appends COUNT games of CHILD to the record of the store in
// FOLDER, as another program on the same folder would; a game kept back because the store was
// busy is written again 1 ms later (a worker may sleep; the program's window never does).

#include "RecordSamples.h"
#include "classroom/RecordWriter.h"
#include "store/PuzzleStore.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: record_appender FOLDER CHILD COUNT\n");
        return 2;
    }
    tivane::PuzzleStore store(args[1]);
    tivane::RecordWriter writer(store);
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        bool written = writer.append(tivane::RecordSamples::entry(args[2], i));
        for (int tries = 0; !written && tries < 10000; ++tries) {
            QThread::msleep(1);
            written = writer.flush();
        }
        if (!written) {
            std::fprintf(stderr, "the record stayed unwritable\n");
            return 1;
        }
    }
    return 0;
}
