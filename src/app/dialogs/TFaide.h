#pragma once
// The instructions: eight lines in an editable box, set once at creation, so whatever a
// child types there stays until the program ends.

#include "DialogParts.h"

#include <QStringList>

class TFaide : public FramelessDialog
{
    Q_OBJECT
public:
    explicit TFaide(QWidget *parent = nullptr);

    static QStringList instructionLines();

public slots:
    void LpClick();
};
