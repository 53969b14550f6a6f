#include "app/dialogs/WinDialog.h"

#include "core/Fonts.h"

#include <QLabel>
#include <QToolButton>

namespace tivane {

WinDialog::WinDialog(QWidget *parent)
    : FramelessDialog(QSize(291, 154), parent)
{
    setObjectName(QStringLiteral("TFbravo"));
    auto *shape = new ShapeWidget(QColor(0, 191, 0), 2, this);
    shape->setGeometry(rect());

    const QString bravo = QStringLiteral("BRAVO !");
    // Label2 is the shadow: created first, so Label1 is drawn over it.
    makeLabel(this, QStringLiteral("Label2"), QRect(8, 10, 275, 49), bravo, formFont(45, true), Qt::black);
    makeLabel(this, QStringLiteral("Label1"), QRect(6, 8, 273, 49), bravo, formFont(45, true), Qt::white);
    m_label3 = makeLabel(this, QStringLiteral("Label3"), QRect(8, 64, 273, 25), QString(),
                         formFont(16, true), Qt::white);

    auto *button = makeSpeedButton(this, QStringLiteral("SpeedButton1"), QRect(56, 112, 177, 25),
                                   QStringLiteral("RETOUR AU JEU"), formFont(16, true), QColor(0, 0, 255));
    connect(button, &QToolButton::clicked, this, &WinDialog::returnToGame);
}

void WinDialog::setMoveCount(int moves)
{
    m_label3->setText(QStringLiteral("Puzzle complété en ") + QString::number(moves) + QStringLiteral(" coups."));
}

void WinDialog::returnToGame()
{
    closeFromButton();
}

} // namespace tivane
