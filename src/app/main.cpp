#include "app/CommandLine.h"
#include "app/MainScreen.h"
#include "app/StoreFolder.h"
#include "app/Translations.h"
#include "core/Error.h"
#include "store/PuzzleStore.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>

#include <fontconfig/fontconfig.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <thread>

using namespace tivane;

namespace {

// bench/startup.sh times the start-up to the first frame: the wall clock and the processor time
// used so far, in microseconds.
void reportFirstFrame()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("first-frame %lld %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                static_cast<long long>(std::clock() * (1000000.0 / CLOCKS_PER_SEC)));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    // Fontconfig reads its configuration (a few milliseconds that the first text drawn would
    // wait for) on another core while the window system connection is made. Its set-up is
    // thread-safe: Qt's own call finds it done, or at worst does it again.
    // --help and --version answer before any connection to a window system.
    const CommandLine command = parseCommandLine(QByteArrayList(argv, argv + argc), QStringLiteral(TIVANE_VERSION));
    if (command.exitCode >= 0) {
        std::fputs(command.output.toLocal8Bit().constData(), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }

    std::jthread fontconfigSetUp([] { FcInit(); });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivane"));
    QApplication::setApplicationVersion(QStringLiteral(TIVANE_VERSION));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenolde"));
    installFrenchTranslations(app);

    QString folder;
    bool newStore = false;
    try {
        folder = storeFolderFor(command.storeFolder, QDir::homePath());
        newStore = checkStoreFolder(folder);
    } catch (const Error &error) {
        std::fprintf(stderr, "tivane : %s\n", qPrintable(error.message()));
        showError(nullptr, error.message(), [] { QApplication::exit(1); });
        return QApplication::exec();
    }

    PuzzleStore store(folder);
    MainScreen screen(store);
    // Seeding writes the starter puzzles: not before the first frame.
    if (newStore)
        screen.seedStoreAfterFirstFrame();
    if (qEnvironmentVariableIsSet("TIVANE_REPORT_FIRST_FRAME"))
        QObject::connect(&screen, &MainScreen::firstFrameShown, &reportFirstFrame);
    screen.show();
    return QApplication::exec();
}
