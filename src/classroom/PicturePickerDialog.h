#pragma once
// TFimages: the pictures drawn by the program, one button each, for a child without a photo.
// A click chooses (the dialog closes accepted, chosenPicture() names it); ANNULER does not.

#include "widgets/FormParts.h"

#include <QString>

namespace tivane {

class PicturePickerDialog : public FramelessDialog
{
    Q_OBJECT
public:
    static constexpr int PictureSide = 80;

    explicit PicturePickerDialog(QWidget *parent = nullptr);

    const QString &chosenPicture() const { return m_chosen; }

private:
    QString m_chosen;
};

} // namespace tivane
