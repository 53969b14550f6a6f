#include "authoring/EditingForm.h"

#include "authoring/UpDownControl.h"
#include "authoring/WaitCursor.h"
#include "core/Fonts.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tivane {

EditingForm::EditingForm(PuzzleStore &store, QWidget *parent)
    : PuzzleForm(store, Kind::Editing, parent)
{
    setObjectName(QStringLiteral("TFedit"));
    m_model = new QCheckBox(QStringLiteral("Afficher le modèle"), panel());
    m_model->setObjectName(QStringLiteral("Bmodele"));
    m_model->setGeometry(120, 280, 137, 17);
    m_model->setFont(formFont(13));
}

bool EditingForm::openFor(int puzzle)
{
    // The form is not up yet: the message goes over whatever opened it.
    QWidget *owner = parentWidget() ? parentWidget() : this;
    return runGuarded(owner, [&] {
        QByteArray bytes;
        const PuzzleDescription d = m_store.readDescription(puzzle, DescriptionLines::All, &bytes);
        const QImage picture = m_store.readPicture(puzzle);
        m_puzzle = puzzle;
        m_openedDescription = bytes;
        m_storedModelMode = d.modelMode;
        m_name->setText(d.puzzleName);
        m_cols->setPosition(d.gridCols);
        m_rows->setPosition(d.gridRows);
        m_model->setChecked(d.modelAllowed);
        m_rotation->setChecked(d.rotationEnabled);
        m_timeUpDown->setPosition(d.hasTimeLine ? d.timeLimit : 0);
        startFromPicture(picture);
        PuzzleForm::open();
    });
}

void EditingForm::save()
{
    PuzzleDescription description = descriptionFromControls();
    description.modelAllowed = m_model->isChecked();
    // The model mode the puzzle was made with is kept; "OUI" alone means on click.
    const bool storedShowsModel = m_storedModelMode >= 1 && m_storedModelMode <= 3;
    description.modelMode = !description.modelAllowed ? 0 : storedShowsModel ? m_storedModelMode : 1;
    const QImage picture = pictureWithoutGrid();
    const QImage thumbnail = thumbnailOf(picture);
    // Refused, with nothing written, when another program removed or changed the puzzle since
    // the form opened: its changes are not silently overwritten.
    m_storeRetry->run([this, description, picture, thumbnail] {
        WaitCursor wait;
        m_store.replacePuzzle(m_puzzle, description, DescriptionLines::All, picture, thumbnail, m_openedDescription);
        wait.restore();
        showMessage(this, QStringLiteral("Les modifications ont bien été enregistrées."),
                    [this] { done(QDialog::Accepted); });
    });
}

} // namespace tivane
