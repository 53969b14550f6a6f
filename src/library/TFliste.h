#pragma once
// The puzzle chooser: one thumbnail per stored puzzle. A left click picks the puzzle for play
// and closes the form; ANNULER closes it without a choice; Ctrl + right click asks for the
// management menu through popupRequested.

#include "PuzzleStore.h"
#include "ThumbnailMarks.h"

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

class QFrame;
class QScrollArea;
class QToolButton;
class TFliste;

// One puzzle's thumbnail in the chooser; Tag is the puzzle number.
class ThumbnailLabel : public QLabel
{
    Q_OBJECT
public:
    ThumbnailLabel(TFliste *form, int tag, QWidget *parent);

    int Tag() const { return m_tag; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TFliste *m_form;
    int m_tag;
    bool m_leftDown = false;
};

class TFliste : public QDialog
{
    Q_OBJECT
public:
    // Builds the form and scans the store. scanFinished is called at the end of every scan,
    // whether or not every puzzle could be read.
    TFliste(PuzzleStore store, std::function<void()> scanFinished, QWidget *parent = nullptr);

    // Rebuilds the thumbnails from the store. Puzzles that cannot be read are left out and
    // named in one message box once the list is ready.
    void ScanPuzzles();

    // The puzzle numbers of the thumbnails, in list order.
    QList<int> puzzleNumbers() const;
    // The thumbnails, in list order.
    const QList<ThumbnailLabel *> &thumbnails() const { return m_thumbnails; }

    PuzzleStore &store() { return m_store; }

    int SelectedPuzzle = -1;  // -1: no choice
    int PopupPuzzle = -1;     // the thumbnail the management menu was asked for on
    QString PictureFile;      // "image<N>.bmp" of the thumbnail last pressed

signals:
    // Ctrl + right button on a thumbnail: the management menu should open at globalPos.
    void popupRequested(int puzzle, QPoint globalPos);

public slots:
    // Any way of closing without a thumbnail (ANNULER, Escape) answers -1.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    friend class ThumbnailLabel;

    void FormCreate();
    void BuildThumbnail(int n, int position, const QString &name, int rows, int columns,
                        bool timed, bool rotation, bool model);
    void VVMouseDown(ThumbnailLabel *vv, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                     QPoint pos);
    void VVClick(ThumbnailLabel *vv);
    void AnnulerClick();

    void clearThumbnails();
    void fitContent();
    void centreOnScreen();

    PuzzleStore m_store;
    std::function<void()> m_scanFinished;
    ThumbnailBadges m_badges;

    QFrame *P1 = nullptr;
    QLabel *Label1 = nullptr;
    QScrollArea *SB = nullptr;
    QWidget *m_content = nullptr;  // SB's content, parent of the thumbnails
    QLabel *Label2 = nullptr;
    QToolButton *Annuler = nullptr;

    QList<ThumbnailLabel *> m_thumbnails;
    // A scan may run from inside a thumbnail's own mouse handler (the management menu opens
    // there); the old thumbnails are then only hidden, and deleted by a later scan.
    int m_thumbnailEvents = 0;
    QList<ThumbnailLabel *> m_retired;
};
