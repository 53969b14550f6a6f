#pragma once
// The puzzle chooser: one thumbnail per stored puzzle. A left click picks the puzzle for play
// and closes the form; ANNULER closes it without a choice; Ctrl + right click on a thumbnail
// opens the management menu. The list follows the store: it is rebuilt after every change made
// through the store object, and after changes other programs make in the store folder, which a
// watcher notices (a burst of changes, as a save makes, gives one scan, within a second).

#include "library/ThumbnailMarks.h"

#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QFileSystemWatcher;
class QFrame;
class QMenu;
class QScrollArea;
class QTimer;
class QToolButton;

namespace tivane {

class ArchiveExchange;
class PuzzleChooser;
class PuzzleStore;
class StoreRetry;

// One puzzle's thumbnail in the chooser; its tag is the puzzle number.
class ThumbnailLabel : public QLabel
{
    Q_OBJECT
public:
    ThumbnailLabel(PuzzleChooser *form, int tag, QWidget *parent);

    int tag() const { return m_tag; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    PuzzleChooser *m_form;
    int m_tag;
    bool m_leftDown = false;
};

class PuzzleChooser : public QDialog
{
    Q_OBJECT
public:
    // The list is not built here: call scanPuzzles() once the program's window is up.
    explicit PuzzleChooser(PuzzleStore &store, QWidget *parent = nullptr);

    // Rebuilds the thumbnails from the store. Puzzles that cannot be read, and ".tvn" files that
    // are not puzzles or repeat a number, are left out and named in one message (a sentence and
    // a scrolling list), shown without blocking, unless the same list was just shown.
    void scanPuzzles();

    // Shows the chooser for a choice: selectedPuzzle() is -1 until a thumbnail is clicked.
    // Returns at once; finished() tells when it closed. The list is brought up to date first
    // if the store folder changed unnoticed (a network folder tells no watcher).
    void openForChoice();

    // How long the watcher lets a burst of changes settle: a quiet spell of SettleMs, and never
    // more than MaxSettleMs after the first change.
    static constexpr int SettleMs = 150;
    static constexpr int MaxSettleMs = 500;

    // The puzzle numbers of the thumbnails, in list order.
    QList<int> puzzleNumbers() const;
    // The thumbnails, in list order.
    const QList<ThumbnailLabel *> &thumbnails() const { return m_thumbnails; }

    PuzzleStore &store() { return m_store; }

    int selectedPuzzle() const { return m_selectedPuzzle; }   // -1: no choice
    int popupPuzzle() const { return m_popupPuzzle; }         // the thumbnail the menu opened on
    QString pictureFile() const { return m_pictureFile; }     // "image<N>.bmp" of the last press

    // The management menu and its entries, in order: print, delete, modify, export, import.
    QMenu *managementMenu() const { return m_menu; }
    QAction *printAction() const { return m_print; }
    QAction *deleteAction() const { return m_delete; }
    QAction *modifyAction() const { return m_modify; }
    QAction *exportAction() const { return m_export; }
    QAction *importAction() const { return m_import; }
    // "Exporter" and "Importer" run through it.
    ArchiveExchange *archiveExchange() const { return m_exchange; }

signals:
    // Every scan ends with this, whether or not every puzzle could be read.
    void listRebuilt();
    // Ctrl + right button on a thumbnail: the menu opens at globalPos.
    void popupRequested(int puzzle, QPoint globalPos);
    // "Modifier" and "Imprimer" were chosen for a puzzle; their forms live elsewhere.
    void modifyRequested(int puzzle);
    void printRequested(int puzzle);

public slots:
    // Any way of closing without a thumbnail (ANNULER, Escape) answers -1.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    friend class ThumbnailLabel;

    void buildForm();
    void buildMenu();
    void buildThumbnail(int n, int position, const QString &name, int rows, int columns,
                        bool timed, bool rotation, bool model);
    void thumbnailPressed(ThumbnailLabel *thumbnail, Qt::MouseButton button,
                          Qt::KeyboardModifiers modifiers, QPoint pos);
    void thumbnailClicked(ThumbnailLabel *thumbnail);
    void scheduleScan();
    void folderChanged();
    void rescanIfChanged();
    QByteArray folderSignature() const;
    void confirmDelete();
    void deletePending();

    void clearThumbnails();
    void fitContent();
    void centreOnScreen();

    PuzzleStore &m_store;
    ThumbnailBadges m_badges;

    QFrame *m_panel = nullptr;          // P1
    QLabel *m_title = nullptr;          // Label1
    QScrollArea *m_scrollBox = nullptr; // SB
    QWidget *m_content = nullptr;       // SB's content, parent of the thumbnails
    QLabel *m_hint = nullptr;           // Label2
    QToolButton *m_cancel = nullptr;    // Annuler

    QMenu *m_menu = nullptr;            // PP
    QAction *m_print = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_modify = nullptr;
    QAction *m_export = nullptr;
    QAction *m_import = nullptr;
    ArchiveExchange *m_exchange = nullptr;
    QTimer *m_deleteTimer = nullptr;    // Timer1
    int m_pendingDelete = -1;
    std::optional<QByteArray> m_pendingDeleteDescription;
    StoreRetry *m_storeRetry = nullptr;

    QList<ThumbnailLabel *> m_thumbnails;
    // Each listed puzzle's description as the last scan read it: a deletion is refused if
    // another program has changed it since.
    QHash<int, QByteArray> m_descriptions;
    bool m_scanScheduled = false;
    QStringList m_lastProblems;

    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settleTimer = nullptr;
    QElapsedTimer m_burst;
    QByteArray m_signature;  // the store folder as the last scan found it

    int m_selectedPuzzle = -1;
    int m_popupPuzzle = -1;
    QString m_pictureFile;
};

} // namespace tivane
