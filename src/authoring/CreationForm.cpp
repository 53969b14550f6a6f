#include "authoring/CreationForm.h"

#include "authoring/WaitCursor.h"
#include "core/Fonts.h"
#include "store/PuzzleStore.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace tivane {

CreationForm::CreationForm(PuzzleStore &store, QWidget *parent)
    : PuzzleForm(store, Kind::Creation, parent)
{
    setObjectName(QStringLiteral("TFcreer"));
    m_modelButtons = new QButtonGroup(this);
    const char *const names[] = {"mod1", "Mod2", "Mod3", "Mod4"};
    const char *const texts[] = {"Pas de modèle", "Modèle sur clic", "Modèle permanent", "Modèle en dessous"};
    for (int mode = 0; mode < 4; ++mode) {
        auto *button = new QRadioButton(QString::fromUtf8(texts[mode]), panel());
        button->setObjectName(QLatin1String(names[mode]));
        button->setGeometry(120, 280 + 16 * mode, 145, 17);
        button->setFont(formFont(13));
        m_modelButtons->addButton(button, mode);
    }
    m_modelButtons->button(0)->setChecked(true);
}

void CreationForm::open()
{
    setZoneFramed(false);
    m_puzzleSaved = false;
    showPlaceholder();
    PuzzleForm::open();
}

int CreationForm::modelMode() const
{
    return m_modelButtons->checkedId();
}

void CreationForm::save()
{
    if (!zoneFramed())
        return;
    PuzzleDescription description = descriptionFromControls();
    description.modelMode = modelMode();
    description.modelAllowed = description.modelMode != 0;
    const QImage picture = pictureWithoutGrid();
    const QImage thumbnail = thumbnailOf(picture);
    // A try made later saves what the form showed at the click.
    m_storeRetry->run([this, description, picture, thumbnail] {
        WaitCursor wait;
        m_store.saveNewPuzzle(description, picture, thumbnail);
        m_puzzleSaved = true;
        wait.restore();
        showMessage(this, QStringLiteral("Le nouveau puzzle a bien été enregistré."),
                    [this] { done(QDialog::Accepted); });
    });
}

} // namespace tivane
