#include "classroom/ClassListForm.h"

#include "authoring/FramingDialog.h"
#include "authoring/PictureLoader.h"
#include "classroom/ClassFiles.h"
#include "classroom/PicturePickerDialog.h"
#include "classroom/PupilPictures.h"
#include "classroom/RecordFile.h"
#include "core/Error.h"
#include "core/Fonts.h"
#include "core/WinColor.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormParts.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QStandardPaths>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace tivane {

namespace {

constexpr QSize FormSize(520, 400);
constexpr int ListIconSide = 48;

// The lowest "photoN.png" not in the pictures folder.
QString freePhotoName(const PuzzleStore &store)
{
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral("photo%1.png").arg(n);
        if (!store.exists(ClassFiles::PicturesFolder + u'/' + name))
            return name;
    }
}

// Writes a child's picture into the pictures folder, made if need be.
void writePicture(PuzzleStore &store, const QString &name, const QByteArray &bytes)
{
    if (!QDir(store.directory()).mkpath(ClassFiles::PicturesFolder))
        throw cannotWrite(ClassFiles::PicturesFolder, QStringLiteral("le dossier ne peut pas être créé."));
    store.writeFile(ClassFiles::PicturesFolder + u'/' + name, bytes);
}

QByteArray pngBytes(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "png"))
        throw Error(QStringLiteral("La mémoire manque pour préparer la photo."));
    return bytes;
}

} // namespace

ClassListForm::ClassListForm(PuzzleStore &store, QWidget *parent)
    : FramelessDialog(FormSize, parent), m_store(store), m_list(emptyClassList())
{
    setObjectName(QStringLiteral("TFeleves"));
    m_retry = new StoreRetry(this);
    build();
}

void ClassListForm::build()
{
    applySilverPalette(this);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("P1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(0, 0, FormSize.width(), FormSize.height());

    auto *title = new QLabel(QStringLiteral("Élèves de la classe"), panel);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(formFont(16, true));
    setTextColour(title, winColor(WinColors::Blue));
    title->setGeometry(16, 8, 361, 20);

    m_pupils = new QListWidget(panel);
    m_pupils->setObjectName(QStringLiteral("LEleves"));
    m_pupils->setGeometry(16, 36, 300, 340);
    m_pupils->setIconSize(QSize(ListIconSide, ListIconSide));
    m_pupils->setFont(formFont(16, true));
    connect(m_pupils, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < m_list.pupils.size())
            m_firstName->setText(m_list.pupils[row].firstName);
    });

    auto *nameLabel = new QLabel(QStringLiteral("Prénom :"), panel);
    nameLabel->setObjectName(QStringLiteral("Label2"));
    nameLabel->setFont(formFont(13, true));
    nameLabel->setGeometry(332, 36, 172, 18);
    m_firstName = new QLineEdit(panel);
    m_firstName->setObjectName(QStringLiteral("EPrenom"));
    m_firstName->setFont(formFont(16));
    m_firstName->setGeometry(332, 56, 172, 28);
    m_firstName->setMaxLength(MaxFirstNameLength);

    const auto button = [&](const char *name, const QString &text, int top, quint32 colour) {
        QToolButton *b = makeSpeedButton(panel, QLatin1String(name), QRect(332, top, 172, 33), text,
                                         formFont(13, true), winColor(colour));
        return b;
    };
    connect(button("BAjouter", QStringLiteral("AJOUTER"), 96, WinColors::Navy), &QToolButton::clicked, this, &ClassListForm::addPupil);
    connect(button("BRenommer", QStringLiteral("RENOMMER"), 134, WinColors::Navy), &QToolButton::clicked, this,
            &ClassListForm::renamePupil);
    connect(button("BPhoto", QStringLiteral("PHOTO…"), 172, WinColors::Navy), &QToolButton::clicked, this, &ClassListForm::choosePhoto);
    connect(button("BImages", QStringLiteral("IMAGES…"), 210, WinColors::Navy), &QToolButton::clicked, this,
            &ClassListForm::choosePicture);
    connect(button("BRetirer", QStringLiteral("RETIRER"), 248, WinColors::Navy), &QToolButton::clicked, this, &ClassListForm::askRemoval);
    QToolButton *close = makeSpeedButton(panel, QStringLiteral("Fermer"), QRect(407, 343, 97, 33),
                                         QStringLiteral("FERMER"), formFont(13, true), winColor(WinColors::Maroon));
    connect(close, &QToolButton::clicked, this, &ClassListForm::closeFromButton);

    m_photoDialog = makeFileDialog(this, QStringLiteral("OP"), QStringLiteral("Ouvrir une photo"), QFileDialog::AcceptOpen);
    m_photoDialog->setNameFilters(pictureNameFilters());
    m_photoDialog->setDirectory(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    connect(m_photoDialog, &QDialog::finished, this, &ClassListForm::photoChosen);

    m_framing = new FramingDialog(this);
    connect(m_framing, &QDialog::finished, this, &ClassListForm::framingFinished);
    m_picker = new PicturePickerDialog(this);
    connect(m_picker, &QDialog::finished, this, &ClassListForm::pictureChosen);
}

bool ClassListForm::openForm()
{
    ClassListReading reading;
    const bool read = runGuarded(parentWidget(), [&] { reading = readClassList(m_store); });
    if (!read)
        return false;
    m_list = reading.list;
    fillList();
    m_firstName->clear();
    open();
    if (!reading.problems().isEmpty())
        showError(this, reading.problems());
    return true;
}

void ClassListForm::fillList()
{
    const int row = m_pupils->currentRow();
    m_pupils->clear();
    for (const Pupil &pupil : m_list.pupils) {
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(pupilPicture(m_store, pupil, ListIconSide))),
                                         pupil.firstName, m_pupils);
        item->setSizeHint(QSize(0, ListIconSide + 6));
    }
    if (row >= 0 && row < m_pupils->count())
        m_pupils->setCurrentRow(row);
}

std::optional<qsizetype> ClassListForm::selectedPupil() const
{
    const int row = m_pupils->currentRow();
    if (row < 0 || row >= m_list.pupils.size())
        return std::nullopt;
    return row;
}

void ClassListForm::selectPupil(qsizetype index)
{
    m_pupils->setCurrentRow(int(index));
}

void ClassListForm::saveAfter(std::function<void(ClassList &list)> change, std::function<void()> saved)
{
    m_retry->run(
        [this, change = std::move(change)] {
            ClassList list = m_list;
            change(list);
            saveClassList(m_store, list);
            m_list = list;
            fillList();
        },
        [saved = std::move(saved)](bool succeeded) {
            if (succeeded && saved)
                saved();
        });
}

void ClassListForm::addPupil()
{
    const QString name = m_firstName->text().trimmed();
    if (const std::optional<QString> problem = firstNameProblem(name, m_list)) {
        showError(this, *problem);
        return;
    }
    saveAfter([name](ClassList &list) { list.pupils.append(Pupil{name, {}, {}}); });
    m_firstName->clear();
    m_pupils->setCurrentRow(m_pupils->count() - 1);
}

void ClassListForm::renamePupil()
{
    const std::optional<qsizetype> index = selectedPupil();
    if (!index) {
        showError(this, QStringLiteral("Choisissez d'abord un enfant dans la liste."));
        return;
    }
    const QString name = m_firstName->text().trimmed();
    if (const std::optional<QString> problem = firstNameProblem(name, m_list, *index)) {
        showError(this, *problem);
        return;
    }
    const QString old = m_list.pupils[*index].firstName;
    if (old == name)
        return;
    saveAfter([this, index = *index, old, name](ClassList &list) {
        renameInRecord(m_store, old, name);
        list.pupils[index].firstName = name;
    });
}

void ClassListForm::choosePhoto()
{
    if (!selectedPupil()) {
        showError(this, QStringLiteral("Choisissez d'abord un enfant dans la liste."));
        return;
    }
    m_photoDialog->open();
}

void ClassListForm::photoChosen(int result)
{
    if (result != QDialog::Accepted || m_photoDialog->selectedFiles().isEmpty())
        return;
    const QString path = m_photoDialog->selectedFiles().constFirst();
    runGuarded(this, [&] { frameForSelected(loadPicture(path)); });
}

void ClassListForm::frameForSelected(const QImage &picture)
{
    const std::optional<qsizetype> index = selectedPupil();
    if (!index)
        return;
    m_framedPupil = *index;
    m_framing->prepare(picture);
    m_framing->open();
}

void ClassListForm::framingFinished()
{
    const qsizetype index = m_framedPupil;
    m_framedPupil = -1;
    if (!m_framing->zoneFramed() || index < 0 || index >= m_list.pupils.size())
        return;
    const QImage photo = m_framing->framedZone().scaled(PhotoSide, PhotoSide, Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation);
    m_framing->releasePicture();
    saveAfter([this, index, photo](ClassList &list) {
        const QString name = freePhotoName(m_store);
        writePicture(m_store, name, pngBytes(photo));
        list.pupils[index].picture = name;
    });
}

void ClassListForm::choosePicture()
{
    const std::optional<qsizetype> index = selectedPupil();
    if (!index) {
        showError(this, QStringLiteral("Choisissez d'abord un enfant dans la liste."));
        return;
    }
    m_framedPupil = *index;
    m_picker->open();
}

void ClassListForm::pictureChosen(int result)
{
    const qsizetype index = m_framedPupil;
    m_framedPupil = -1;
    if (result != QDialog::Accepted || index < 0 || index >= m_list.pupils.size())
        return;
    const QString name = m_picker->chosenPicture();
    saveAfter([this, index, name](ClassList &list) {
        QFile drawn(QStringLiteral(":/eleves/") + name);
        if (!drawn.open(QIODevice::ReadOnly))
            throw cannotRead(name, fileErrorText(drawn));
        writePicture(m_store, name, drawn.readAll());
        list.pupils[index].picture = name;
    });
}

void ClassListForm::askRemoval()
{
    const std::optional<qsizetype> index = selectedPupil();
    if (!index) {
        showError(this, QStringLiteral("Choisissez d'abord un enfant dans la liste."));
        return;
    }
    auto withRecord = std::make_shared<QPointer<QCheckBox>>();
    QMessageBox *box = askYesNo(this, QStringLiteral("Retrait d'un enfant"),
                                QStringLiteral("Retirer %1 de la classe ? Sa photo sera supprimée.")
                                    .arg(m_list.pupils[*index].firstName),
                                [this, index = *index, withRecord](bool yes) {
                                    if (yes)
                                        removePupil(index, *withRecord && (*withRecord)->isChecked());
                                });
    auto *check = new QCheckBox(QStringLiteral("Effacer aussi ses lignes du carnet de suivi"), box);
    check->setObjectName(QStringLiteral("CBcarnet"));
    box->setCheckBox(check);
    *withRecord = check;
}

void ClassListForm::removePupil(qsizetype index, bool withRecord)
{
    if (index >= m_list.pupils.size())
        return;
    const Pupil pupil = m_list.pupils[index];
    const auto removePhoto = [this, picture = pupil.picture] {
        // The photo goes once no child of the list has it.
        const bool stillShown = std::any_of(m_list.pupils.cbegin(), m_list.pupils.cend(),
                                            [&](const Pupil &other) { return other.picture == picture; });
        if (!picture.isEmpty() && !stillShown && isBarePictureName(picture))
            QFile::remove(m_store.filePath(ClassFiles::PicturesFolder + u'/' + picture));
    };
    saveAfter(
        [this, index, pupil, withRecord](ClassList &list) {
            if (withRecord)
                removeFromRecord(m_store, pupil.firstName);
            list.pupils.removeAt(index);
        },
        removePhoto);
    m_firstName->clear();
}

} // namespace tivane
