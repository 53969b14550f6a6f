#pragma once
// "Qui joue ?", TFqui: one large tile per child of the class (its picture and its first name),
// in the order of the first names, then a tile "Invité", and ANNULER. A click or a tap on a
// tile chooses; the dialog then closes accepted, and chosenChild() says who (empty for a guest).
// ANNULER closes it rejected.

#include "widgets/FormParts.h"

#include <QList>
#include <QString>

class QToolButton;

namespace tivane {

class PuzzleStore;
struct Pupil;

class WhoPlaysDialog : public FramelessDialog
{
    Q_OBJECT
public:
    // The picture side at scale 1; the scale of a 1024 x 768 screen (1.16) makes it 120 pixels.
    static constexpr double PictureSideAtUnitScale = 103.0;

    // `scale` is the board's (ScreenLayout::scale): the tiles grow with the screen like the board.
    WhoPlaysDialog(const PuzzleStore &store, const QList<Pupil> &pupils, float scale, QWidget *parent = nullptr);

    static int pictureSide(float scale);

    // The first name of the child chosen; empty for a guest.
    const QString &chosenChild() const { return m_chosen; }

    // The tiles in their order, the guest's last.
    QList<QToolButton *> tiles() const { return m_tiles; }

private:
    void choose(const QString &firstName);

    QList<QToolButton *> m_tiles;
    QString m_chosen;
};

} // namespace tivane
