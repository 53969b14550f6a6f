#include "library/ArchiveExchange.h"

#include "core/Error.h"
#include "store/PuzzleArchive.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/FileDialogs.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QFileInfo>

#include <memory>

namespace tivane {

namespace {

const QString ArchiveFilter = QStringLiteral("Fichiers archives compressés (*.zip)");
const QString ArchiveSuffix = QStringLiteral("zip");

} // namespace

ArchiveExchange::ArchiveExchange(PuzzleStore &store, QWidget *window)
    : QObject(window), m_store(store), m_window(window), m_storeRetry(new StoreRetry(window))
{
}

QFileDialog *ArchiveExchange::makeDialog(const char *objectName, const QString &title, bool save)
{
    auto *dialog = makeFileDialog(m_window, QLatin1String(objectName), title,
                                  save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setDirectory(m_store.directory());
    dialog->setNameFilter(ArchiveFilter);
    // The replacement question is asked here, since Qt's would run a nested event loop.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setDefaultSuffix(ArchiveSuffix);
    // Queued: the work starts once the dialog has closed, not inside its accept().
    connect(dialog, &QFileDialog::fileSelected, this,
            save ? &ArchiveExchange::saveChosen : &ArchiveExchange::openChosen, Qt::QueuedConnection);
    return dialog;
}

void ArchiveExchange::startExport(int puzzle)
{
    if (!m_saveDialog)
        m_saveDialog = makeDialog("SD", QStringLiteral("Exporter le puzzle"), true);
    m_exportPuzzle = puzzle;
    m_saveDialog->setDirectory(m_store.directory());
    m_saveDialog->open();
}

void ArchiveExchange::startImport()
{
    if (!m_openDialog)
        m_openDialog = makeDialog("OD", QStringLiteral("Importer un puzzle"), false);
    m_openDialog->open();
}

void ArchiveExchange::saveChosen(const QString &archivePath)
{
    const int puzzle = m_exportPuzzle;
    if (!QFileInfo::exists(archivePath)) {
        writeArchive(puzzle, archivePath);
        return;
    }
    askYesNo(m_window, QStringLiteral("TIVANE"),
             QStringLiteral("Le fichier %1 existe déjà.\nVoulez-vous le remplacer ?")
                 .arg(quoted(QFileInfo(archivePath).fileName())),
             [this, puzzle, archivePath](bool yes) {
                 if (yes)
                     writeArchive(puzzle, archivePath);
             });
}

void ArchiveExchange::writeArchive(int puzzle, const QString &archivePath)
{
    if (runGuarded(m_window, [&] { exportPuzzle(m_store, puzzle, archivePath); }))
        emit exported(puzzle, archivePath);
}

void ArchiveExchange::openChosen(const QString &archivePath)
{
    // Tried again, archive read included, while another program writes to the store. The store
    // announces the new puzzle itself: the chooser's list follows.
    auto number = std::make_shared<int>(-1);
    m_storeRetry->run([this, archivePath, number] { *number = importPuzzle(m_store, archivePath); },
                      [this, number](bool saved) {
                          if (saved)
                              emit imported(*number);
                      });
}

} // namespace tivane
