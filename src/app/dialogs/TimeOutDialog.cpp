#include "app/dialogs/TimeOutDialog.h"

#include "core/Fonts.h"

#include <QToolButton>

namespace tivane {

TimeOutDialog::TimeOutDialog(QWidget *parent)
    : FramelessDialog(QSize(291, 154), parent)
{
    setObjectName(QStringLiteral("TFperdu"));
    auto *shape = new ShapeWidget(QColor(192, 220, 192), 2, this);
    shape->setGeometry(rect());

    makeLabel(this, QStringLiteral("Label1"), QRect(6, 8, 273, 49), QStringLiteral("PERDU"),
              formFont(37, true), Qt::black);
    makeLabel(this, QStringLiteral("Label3"), QRect(8, 64, 273, 25),
              QStringLiteral("Tu as dépassé le temps imparti"), formFont(16, true), Qt::black);

    auto *button = makeSpeedButton(this, QStringLiteral("Lp"), QRect(56, 112, 177, 25),
                                   QStringLiteral("RETOUR AU JEU"), formFont(16, true), Qt::black);
    connect(button, &QToolButton::clicked, this, &TimeOutDialog::returnToGame);
}

void TimeOutDialog::returnToGame()
{
    closeFromButton();
}

} // namespace tivane
