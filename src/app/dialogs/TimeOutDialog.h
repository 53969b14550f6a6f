#pragma once
// The time-out message: "PERDU", closed by RETOUR AU JEU.

#include "widgets/FormParts.h"

namespace tivane {

class TimeOutDialog : public FramelessDialog
{
    Q_OBJECT
public:
    explicit TimeOutDialog(QWidget *parent = nullptr);

public slots:
    void returnToGame();
};

} // namespace tivane
