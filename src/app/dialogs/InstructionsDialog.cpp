#include "app/dialogs/InstructionsDialog.h"

#include "core/Fonts.h"
#include "core/WinColor.h"

#include <QPlainTextEdit>
#include <QToolButton>

namespace tivane {

namespace {
const QColor Ground(193, 234, 255);
}

QStringList InstructionsDialog::instructionLines()
{
    return {
        QStringLiteral("- Pour prendre une pièce, faites un clic gauche "),
        QStringLiteral("puis relachez le bouton."),
        QString(),
        QStringLiteral("- Pour faire pivoter un pièce après l'avoir prise, "),
        QStringLiteral("utilisez le bouton de droite de la souris."),
        QString(),
        QStringLiteral("- Pour déposer la pièce, cliquez de nouveau à "),
        QStringLiteral("gauche."),
    };
}

InstructionsDialog::InstructionsDialog(QWidget *parent)
    : FramelessDialog(QSize(418, 274), parent)
{
    setObjectName(QStringLiteral("TFaide"));
    QPalette ground = palette();
    ground.setColor(QPalette::Window, Ground);
    setPalette(ground);
    setAutoFillBackground(true);

    auto *shape = new ShapeWidget(QColor(), 3, this);
    shape->setGeometry(rect());

    makeLabel(this, QStringLiteral("Label1"), QRect(8, 8, 401, 30), QStringLiteral("INSTRUCTIONS"),
              formFont(24, true), winColor(WinColors::Navy), QColor(166, 202, 240));

    auto *memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(16, 48, 385, 177);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFont(formFont(16, true));
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->document()->setDocumentMargin(1);
    QPalette memoPalette = memo->palette();
    memoPalette.setColor(QPalette::Base, Ground);
    memoPalette.setColor(QPalette::Text, Qt::black);
    memo->setPalette(memoPalette);
    memo->setPlainText(instructionLines().join(QLatin1Char('\n')));

    auto *button = makeSpeedButton(this, QStringLiteral("Lp"), QRect(120, 232, 177, 25),
                                   QStringLiteral("RETOUR AU JEU"), formFont(16, true), Qt::black);
    connect(button, &QToolButton::clicked, this, &InstructionsDialog::returnToGame);
}

void InstructionsDialog::returnToGame()
{
    closeFromButton();
}

} // namespace tivane
