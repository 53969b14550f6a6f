#pragma once
// The chooser's "Exporter" and "Importer": one puzzle to a ZIP archive, and a puzzle from one
// into the store under its lowest free number. The save dialog SD and the open dialog OD open
// without blocking; the work runs once the dialog has closed, and a failure is shown in one
// message naming the file.

#include <QObject>
#include <QString>

class QFileDialog;
class QWidget;

namespace tivane {

class PuzzleStore;
class StoreRetry;

class ArchiveExchange : public QObject
{
    Q_OBJECT
public:
    // `window` owns the dialogs and the messages (the chooser).
    ArchiveExchange(PuzzleStore &store, QWidget *window);

    // Opens SD in the store folder; the chosen archive receives the puzzle. A file that exists
    // is replaced only once the user has agreed.
    void startExport(int puzzle);
    // Opens OD; the chosen archive's puzzle is added to the store (tried again for a while when
    // another program is writing to the store).
    void startImport();

signals:
    void exported(int puzzle, const QString &archivePath);
    void imported(int puzzle);

private:
    QFileDialog *makeDialog(const char *objectName, const QString &title, bool save);
    void saveChosen(const QString &archivePath);
    void writeArchive(int puzzle, const QString &archivePath);
    void openChosen(const QString &archivePath);

    PuzzleStore &m_store;
    QWidget *m_window;
    StoreRetry *m_storeRetry;
    QFileDialog *m_saveDialog = nullptr;  // SD, made on first use
    QFileDialog *m_openDialog = nullptr;  // OD, made on first use
    int m_exportPuzzle = -1;
};

} // namespace tivane
