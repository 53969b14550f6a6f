#include "authoring/CreationForm.h"

#include "authoring/AuthoringPictures.h"
#include "core/Fonts.h"
#include "store/PuzzleStore.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace tivane {

namespace {

FormVariant creationVariant()
{
    return {
        .title = QStringLiteral("CREATION D'UN PUZZLE"),
        .layout = {.client = {648, 437},
                   .optionsLabel = {56, 278, 65, 25},
                   .modelOptions = {QRect(120, 280, 145, 17), QRect(120, 296, 145, 17), QRect(120, 312, 145, 17),
                                    QRect(120, 328, 145, 17)},
                   .rotation = {120, 360, 145, 17},
                   .timeLabel = {88, 388, 113, 17},
                   .timeHint = {104, 402, 97, 17},
                   .timeBox = {208, 392, 33, 24},
                   .timeUpDown = {241, 392, 20, 24},
                   .saveButton = {304, 392, 121, 33},
                   .quitButton = {480, 392, 121, 33}},
        .placeholder = noPicturePlaceholder(),
        .savedMessage = QStringLiteral("Le nouveau puzzle a bien été enregistré."),
    };
}

} // namespace

CreationForm::CreationForm(PuzzleStore &store, QWidget *parent) : PuzzleForm(store, creationVariant(), parent)
{
    setObjectName(QStringLiteral("TFcreer"));
    m_modelButtons = new QButtonGroup(this);
    const struct
    {
        const char *name;
        const char *text;
        ModelMode mode;
    } options[] = {{"mod1", "Pas de modèle", ModelMode::None},
                   {"Mod2", "Modèle sur clic", ModelMode::OnClick},
                   {"Mod3", "Modèle permanent", ModelMode::Permanent},
                   {"Mod4", "Modèle en dessous", ModelMode::Underneath}};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QRadioButton(QString::fromUtf8(options[i].text), panel());
        button->setObjectName(QLatin1String(options[i].name));
        button->setGeometry(formLayout().modelOptions.at(i));
        button->setFont(formFont(13));
        m_modelButtons->addButton(button, int(options[i].mode));
    }
    m_modelButtons->button(int(ModelMode::None))->setChecked(true);
}

void CreationForm::prepareFor(int)
{
    setZoneFramed(false);
    m_puzzleSaved = false;
    showPlaceholder();
}

void CreationForm::addModelChoice(PuzzleDescription &description) const
{
    description.modelMode = ModelMode(m_modelButtons->checkedId());
    description.modelAllowed = description.modelMode != ModelMode::None;
}

void CreationForm::writePuzzle(const PuzzleDescription &description, const QImage &picture,
                               const QImage &thumbnail)
{
    m_store.saveNewPuzzle(description, picture, thumbnail);
    m_puzzleSaved = true;
}

} // namespace tivane
