#pragma once
// The creation form TFcreer: a teacher picks a picture, frames it, names the puzzle, sets the
// grid, tone and options, and ENREGISTRER stores it under the lowest free number.

#include "authoring/PuzzleForm.h"

class QRadioButton;

namespace tivane {

class CreationForm : public PuzzleForm
{
    Q_OBJECT
public:
    explicit CreationForm(PuzzleStore &store, QWidget *parent = nullptr);

    // Clears ZoneFramed and PuzzleSaved, shows the placeholder and opens the form; returns at
    // once, finished() tells when it closed. Every other setting is as the last opening left it.
    void open() override;

    // A puzzle was saved in this opening.
    bool puzzleSaved() const { return m_puzzleSaved; }

    // 0 "Pas de modèle", 1 "Modèle sur clic", 2 "Modèle permanent", 3 "Modèle en dessous".
    int modelMode() const;

protected:
    void save() override;

private:
    QButtonGroup *m_modelButtons = nullptr;  // mod1, Mod2, Mod3, Mod4 (ids 0..3)
    bool m_puzzleSaved = false;
};

} // namespace tivane
