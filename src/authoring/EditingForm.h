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

    // Fills the form from puzzle N's description and picture and opens it; returns at once,
    // finished() tells when it closed. A puzzle that cannot be read gets one message and the
    // form is not shown (false).
    bool openFor(int puzzle);

    // The puzzle being edited, -1 before the first opening.
    int puzzle() const { return m_puzzle; }

protected:
    void save() override;

private:
    QCheckBox *m_model = nullptr;  // Bmodele
    int m_puzzle = -1;
    int m_storedModelMode = 0;
    QByteArray m_openedDescription;  // the description file as the form found it
};

} // namespace tivane
