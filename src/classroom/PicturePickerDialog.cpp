#include "classroom/PicturePickerDialog.h"

#include "classroom/PupilPictures.h"
#include "core/Fonts.h"
#include "core/WinColor.h"
#include "widgets/FormParts.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace tivane {

namespace {

constexpr int Columns = 8;
constexpr int Pitch = PicturePickerDialog::PictureSide + 12;
constexpr int Margin = 16;
constexpr int Top = 36;

QSize formSize()
{
    const int rows = int((builtinPupilPictures().size() + Columns - 1) / Columns);
    return QSize(2 * Margin + Columns * Pitch, Top + rows * Pitch + 52);
}

} // namespace

PicturePickerDialog::PicturePickerDialog(QWidget *parent) : FramelessDialog(formSize(), parent)
{
    setObjectName(QStringLiteral("TFimages"));
    applySilverPalette(this);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("P1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(rect());

    auto *title = new QLabel(QStringLiteral("Choisis une image..."), panel);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(formFont(16, true));
    setTextColour(title, winColor(WinColors::Blue));
    title->setGeometry(Margin, 8, 361, 20);

    const QStringList names = builtinPupilPictures();
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names[i];
        QToolButton *button = makeSpeedButton(panel, QStringLiteral("Image%1").arg(i),
                                              QRect(Margin + i % Columns * Pitch, Top + i / Columns * Pitch, Pitch - 4, Pitch - 4),
                                              QString(), formFont(13), winColor(WinColors::Black));
        button->setIcon(QIcon(QPixmap::fromImage(builtinPupilPicture(name))));
        button->setIconSize(QSize(PictureSide, PictureSide));
        connect(button, &QToolButton::clicked, this, [this, name] {
            m_chosen = name;
            done(QDialog::Accepted);
        });
    }
    QToolButton *cancel = makeSpeedButton(panel, QStringLiteral("Annuler"),
                                          QRect(width() - 97 - 20, height() - 43, 97, 33), QStringLiteral("ANNULER"),
                                          formFont(13, true), winColor(WinColors::Maroon));
    connect(cancel, &QToolButton::clicked, this, [this] { done(QDialog::Rejected); });
}

} // namespace tivane
