#pragma once
// The editing form TFedit: changes a stored puzzle's picture, name, grid, tone and options.
// ENREGISTRER replaces the puzzle's three files whole, under the same number, unless another
// program removed or changed the puzzle since the form opened.

#include "authoring/PuzzleForm.h"

namespace tivane {

class EditingForm : public PuzzleForm
{
    Q_OBJECT
public:
    explicit EditingForm(PuzzleStore &store, QWidget *parent = nullptr);

    // The puzzle being edited, -1 before the first opening.
    int puzzle() const { return m_puzzle; }

protected:
    // Fills the form from puzzle N's description and picture.
    void prepareFor(int puzzle) override;
    void addModelChoice(PuzzleDescription &description) const override;
    // Refused, with nothing written, when another program removed or changed the puzzle since
    // the form opened: its changes are not silently overwritten.
    void writePuzzle(const PuzzleDescription &description, const QImage &picture,
                     const QImage &thumbnail) override;

private:
    QCheckBox *m_model = nullptr;  // Bmodele
    int m_puzzle = -1;
    ModelMode m_storedModelMode = ModelMode::None;
    QByteArray m_openedDescription;  // the description file as the form found it
};

} // namespace tivane
