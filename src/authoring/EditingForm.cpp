#include "authoring/EditingForm.h"

#include "authoring/UpDownControl.h"
#include "core/Fonts.h"
#include "store/PuzzleStore.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tivane {

namespace {

FormVariant editingVariant()
{
    return {
        .title = QStringLiteral("EDITION D'UN PUZZLE"),
        .layout = {.client = {648, 402},
                   .optionsLabel = {56, 286, 65, 25},
                   .modelOptions = {QRect(120, 280, 137, 17)},
                   .rotation = {120, 296, 145, 17},
                   .timeLabel = {88, 316, 113, 17},
                   .timeHint = {104, 330, 97, 17},
                   .timeBox = {208, 320, 33, 24},
                   .timeUpDown = {241, 320, 20, 24},
                   .saveButton = {16, 352, 121, 33},
                   .quitButton = {144, 352, 121, 33}},
        .placeholder = {},
        .savedMessage = QStringLiteral("Les modifications ont bien été enregistrées."),
    };
}

} // namespace

EditingForm::EditingForm(PuzzleStore &store, QWidget *parent) : PuzzleForm(store, editingVariant(), parent)
{
    setObjectName(QStringLiteral("TFedit"));
    m_model = new QCheckBox(QStringLiteral("Afficher le modèle"), panel());
    m_model->setObjectName(QStringLiteral("Bmodele"));
    m_model->setGeometry(formLayout().modelOptions.at(0));
    m_model->setFont(formFont(13));
}

void EditingForm::prepareFor(int puzzle)
{
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
}

void EditingForm::addModelChoice(PuzzleDescription &description) const
{
    description.modelAllowed = m_model->isChecked();
    // The mode the puzzle was made with is kept; "OUI" alone means on click.
    if (!description.modelAllowed)
        description.modelMode = ModelMode::None;
    else if (m_storedModelMode != ModelMode::None)
        description.modelMode = m_storedModelMode;
    else
        description.modelMode = ModelMode::OnClick;
}

void EditingForm::writePuzzle(const PuzzleDescription &description, const QImage &picture,
                              const QImage &thumbnail)
{
    m_store.replacePuzzle(m_puzzle, description, DescriptionLines::All, picture, thumbnail, m_openedDescription);
}

} // namespace tivane
