#pragma once
// The creation form TFcreer: a teacher picks a picture, frames it, names the puzzle, sets the
// grid, tone and options, and ENREGISTRER stores it under the lowest free number.

#include "authoring/PuzzleForm.h"

namespace tivane {

class CreationForm : public PuzzleForm
{
    Q_OBJECT
public:
    explicit CreationForm(PuzzleStore &store, QWidget *parent = nullptr);

    // A puzzle was saved in this opening.
    bool puzzleSaved() const { return m_puzzleSaved; }

protected:
    // Opened for NewPuzzle: clears ZoneFramed and PuzzleSaved and shows the placeholder; every
    // other setting is as the last opening left it.
    void prepareFor(int puzzle) override;
    // A zone must have been framed in this opening.
    bool readyToSave() const override { return zoneFramed(); }
    void addModelChoice(PuzzleDescription &description) const override;
    void writePuzzle(const PuzzleDescription &description, const QImage &picture,
                     const QImage &thumbnail) override;

private:
    QButtonGroup *m_modelButtons = nullptr;  // mod1, Mod2, Mod3, Mod4 (ids: the ModelMode values)
    bool m_puzzleSaved = false;
};

} // namespace tivane
