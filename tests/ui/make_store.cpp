// Writes the puzzles of the real-window tests into a store and prints their cell colours.
// Usage: tivane_test_store DIR
#include "store/PuzzleStore.h"
#include "TestPuzzles.h"
#include "core/Error.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace tivane;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: tivane_test_store DIR\n";
        return 2;
    }
    try {
        PuzzleStore store(QString::fromLocal8Bit(argv[1]));
        TestPuzzles::add(store, TestPuzzles::description("Quatre couleurs", 2, 2, 0));
        TestPuzzles::add(store, TestPuzzles::description("Six couleurs", 3, 2, 1, true));
    } catch (const Error &error) {
        QTextStream(stderr) << error.message() << '\n';
        return 1;
    }
    QTextStream out(stdout);
    for (int k = 0; k < 6; ++k)
        out << QString::number(TestPuzzles::cellColour(k) & 0xFFFFFF, 16).rightJustified(6, u'0') << '\n';
    return 0;
}
