#pragma once
// The puzzle chooser: one thumbnail per stored puzzle. A left click picks the puzzle for play
// and closes the form; ANNULER closes it without a choice; Ctrl + right click on a thumbnail
// opens the management menu, whose entries all act on that puzzle. The list follows the store:
// it is rebuilt after every change made through the store object, and after changes other
// programs make in the store folder, which its StoreWatcher tells.

#include "library/ThumbnailMarks.h"

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QPoint>
#include <QStringList>

#include <optional>

class QFrame;
class QMenu;
class QScrollArea;
class QTimer;
class QToolButton;

namespace tivane {

class ArchiveExchange;
class PuzzleStore;
class StoreRetry;
class StoreWatcher;
struct PuzzleDescription;

// One puzzle's thumbnail in the chooser, named "VV<N>"; its tag is the puzzle number.
class ThumbnailLabel : public QLabel
{
    Q_OBJECT
public:
    ThumbnailLabel(int tag, QWidget *parent);

    int tag() const { return m_tag; }

signals:
    // Any button went down on it; globalPos is where. Presses made from a touch carry no
    // modifiers: only a real mouse opens the teacher's menu.
    void pressed(int tag, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    // The left button went down and came up on it.
    void clicked(int tag);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
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

    // The puzzle numbers of the thumbnails, in list order.
    QList<int> puzzleNumbers() const;

    // The puzzle of the last thumbnail pressed since openForChoice(); -1 before, and after ANNULER.
    int selectedPuzzle() const { return m_selectedPuzzle; }

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
    void buildForm();
    void buildMenu();
    void buildThumbnail(int n, int position, const PuzzleDescription &description);
    void thumbnailPressed(int puzzle, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void thumbnailClicked(int puzzle);
    void scheduleScan();
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

    StoreWatcher *m_watcher = nullptr;

    int m_selectedPuzzle = -1;
    int m_menuPuzzle = -1;  // the thumbnail the menu opened on: every entry acts on it
};

} // namespace tivane
