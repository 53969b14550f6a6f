#pragma once
// The time-out message: "PERDU", closed by RETOUR AU JEU.

#include "DialogParts.h"

class TFperdu : public FramelessDialog
{
    Q_OBJECT
public:
    explicit TFperdu(QWidget *parent = nullptr);

public slots:
    void LpClick();
};
