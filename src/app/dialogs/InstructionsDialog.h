#pragma once
// The instructions: eight lines in an editable box, set once at creation, so whatever a
// child types there stays until the program ends.

#include "widgets/FormParts.h"

#include <QStringList>

namespace tivane {

class InstructionsDialog : public FramelessDialog
{
    Q_OBJECT
public:
    explicit InstructionsDialog(QWidget *parent = nullptr);

    static QStringList instructionLines();

public slots:
    void returnToGame();
};

} // namespace tivane
