#pragma once
// The win message: "BRAVO !" over its shadow and the move count, closed by RETOUR AU JEU.

#include "widgets/FormParts.h"

namespace tivane {

class WinDialog : public FramelessDialog
{
    Q_OBJECT
public:
    explicit WinDialog(QWidget *parent = nullptr);

    // "Puzzle complété en <moves> coups." in Label3; 1 keeps the plural.
    void setMoveCount(int moves);

public slots:
    void returnToGame();

private:
    QLabel *m_label3;
};

} // namespace tivane
