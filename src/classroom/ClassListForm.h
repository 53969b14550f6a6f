#pragma once
// "Élèves…", TFeleves: the class list. Add a child, change a first name (the record's past
// lines follow it), give a child a photo framed square with the framing dialog or one of the
// pictures drawn by the program, remove a child
// after a question that may also remove its lines of the record. Every change is saved at once.

#include "classroom/ClassList.h"
#include "widgets/FormParts.h"

#include <QImage>

class QFileDialog;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace tivane {

class FramingDialog;
class PicturePickerDialog;
class PuzzleStore;
class StoreRetry;

class ClassListForm : public FramelessDialog
{
    Q_OBJECT
public:
    static constexpr int PhotoSide = 240;

    explicit ClassListForm(PuzzleStore &store, QWidget *parent = nullptr);

    // Reads the list and opens the form; a list that cannot be read is named in a message and the
    // form stays closed (false), so nothing overwrites it.
    bool openForm();

    const ClassList &classList() const { return m_list; }
    // The child selected in the list, if any.
    std::optional<qsizetype> selectedPupil() const;
    void selectPupil(qsizetype index);

    // The framing of `picture` for the selected child, as after the photo was picked.
    void frameForSelected(const QImage &picture);
    FramingDialog *framingDialog() const { return m_framing; }
    PicturePickerDialog *picturePicker() const { return m_picker; }
    QFileDialog *photoDialog() const { return m_photoDialog; }

private:
    void build();
    void fillList();
    void addPupil();
    void renamePupil();
    void choosePhoto();
    void photoChosen(int result);
    void framingFinished();
    void choosePicture();
    void pictureChosen(int result);
    void askRemoval();
    void removePupil(qsizetype index, bool withRecord);
    // Saves the list after `change`, which may write other files first; a failure leaves the
    // list as it was on disk and in the form. `saved` runs once it is saved.
    void saveAfter(std::function<void(ClassList &list)> change, std::function<void()> saved = {});

    PuzzleStore &m_store;
    ClassList m_list;
    StoreRetry *m_retry = nullptr;
    QListWidget *m_pupils = nullptr;  // LEleves
    QLineEdit *m_firstName = nullptr; // EPrenom
    QFileDialog *m_photoDialog = nullptr;  // OP
    FramingDialog *m_framing = nullptr;
    PicturePickerDialog *m_picker = nullptr;
    qsizetype m_framedPupil = -1;  // the child whose photo or picture is being chosen
};

} // namespace tivane
