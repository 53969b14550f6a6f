#include "library/ArchiveExchange.h"

#include "core/Error.h"
#include "store/PuzzleArchive.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QFileDialog>
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
    auto *dialog = new QFileDialog(m_window, title, m_store.directory(), ArchiveFilter);
    dialog->setObjectName(QLatin1String(objectName));
    // Qt's own dialog, so that it opens with open() like every other; the replacement question
    // is asked here, since Qt's would run a nested event loop.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
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
    ArchivedPuzzle puzzle;
    if (!runGuarded(m_window, [&] { puzzle = readPuzzleArchiveFile(archivePath); }))
        return;
    // Read once; only the save is tried again while another program writes to the store.
    // The store announces the new puzzle itself: the chooser's list follows.
    auto number = std::make_shared<int>(-1);
    m_storeRetry->run(
        [this, puzzle, number] { *number = m_store.saveNewPuzzle(puzzle.description, puzzle.picture, puzzle.thumbnail); },
        [this, number](bool saved) {
            if (saved)
                emit imported(*number);
        });
}

} // namespace tivane
