#pragma once
// Driving the authoring forms as a teacher would: pictures on disk, the open dialog answered
// with a file, the framing dialog dragged and closed, message boxes acknowledged.

#include "ModalAnswerer.h"
#include "TestFiles.h"
#include "authoring/FramingDialog.h"
#include "authoring/GridOverlay.h"
#include "authoring/PuzzleForm.h"
#include "authoring/UpDownControl.h"
#include "core/PictureRoutines.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

namespace tivane::AuthoringTest {

// No two pixels alike along a row or a column, so every resample, tone and grid shows.
inline QImage busyPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 3 % 256, y * 5 % 256, (x + 2 * y) % 256));
    return picture;
}

// Saves `picture` as a PNG (lossless) at `path`.
inline bool writePng(const QString &path, const QImage &picture)
{
    QImageWriter writer(path, "png");
    return writer.write(picture);
}

// The form's own controls of that name: the framing and open dialogs are children of the form
// and have controls of the same names.
template<typename T = QWidget>
QList<T *> controlsNamed(QWidget *form, const QString &name)
{
    QList<T *> own;
    for (T *control : form->findChildren<T *>(name))
        if (control->window() == form)
            own << control;
    return own;
}

template<typename T>
T *child(QWidget *form, const char *name)
{
    const QList<T *> found = controlsNamed<T>(form, QLatin1String(name));
    return found.size() == 1 ? found.first() : nullptr;
}

inline QToolButton *button(QWidget *form, const char *name)
{
    return child<QToolButton>(form, name);
}

// Clicks an up-down control's arrows until it shows `position`.
inline void stepTo(UpDownControl *control, int position)
{
    while (control->position() < position)
        QTest::mouseClick(control->upButton(), Qt::LeftButton);
    while (control->position() > position)
        QTest::mouseClick(control->downButton(), Qt::LeftButton);
}

// Types text as key presses carrying it, whatever the characters (QTest::keyClicks knows ASCII).
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// How the open dialog and the framing dialog are answered.
struct PictureAnswer
{
    QString file;          // empty: cancel the open dialog
    int dragBy = 0;        // view pixels along the long side, before closing the framing dialog
    bool validate = true;  // VALIDER, else ANNULER
};

// Answers whatever comes up: the open dialog, the framing dialog, and message boxes with OK.
inline ModalAnswerer::Answer answering(const PictureAnswer &answer)
{
    return [answer](QWidget *modal) {
        if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            if (answer.file.isEmpty()) {
                files->reject();
                return;
            }
            // selectFile() leaves the name box alone while it has the focus: type the path there too.
            files->selectFile(answer.file);
            if (auto *typed = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                typed->setText(answer.file);
            static_cast<QDialog *>(files)->accept();  // QFileDialog's own, which checks the file
        } else if (auto *framing = qobject_cast<FramingDialog *>(modal)) {
            FramingView *view = framing->view();
            const bool across = framing->logic().horizontal();
            const QPoint from(5, 5);
            const QPoint to = from + (across ? QPoint(answer.dragBy, 0) : QPoint(0, answer.dragBy));
            QTest::mousePress(view, Qt::LeftButton, {}, from);
            QTest::mouseMove(view, to);
            QTest::mouseRelease(view, Qt::LeftButton, {}, to);
            ModalAnswerer::clickButton(framing, answer.validate ? "SpeedButton2" : "SpeedButton1");
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            box->buttons().constFirst()->click();
        }
    };
}

// Clicks SpeedButton5 with `answerer` (made with answering()) in place; returns once every
// window that came up has been answered and only the form, or nothing, is modal.
inline bool choosePicture(PuzzleForm &form, ModalAnswerer &answerer)
{
    const int before = answerer.count();
    QTest::mouseClick(button(&form, "SpeedButton5"), Qt::LeftButton);
    const bool ok = QTest::qWaitFor([&] {
        QWidget *modal = QApplication::activeModalWidget();
        return answerer.count() > before && !form.pictureDialog()->isVisible()
               && !form.framingDialog()->isVisible() && (!modal || modal == &form);
    });
    return ok;
}

// How long an action that must show nothing is given to show something.
constexpr int QuietMs = 200;

// True when `answerer` has still answered `count` windows at the deadline: an action that must
// show nothing showed nothing. Returns false as soon as a window comes up.
inline bool nothingShown(const ModalAnswerer &answerer, int count)
{
    return !QTest::qWaitFor([&] { return answerer.count() != count; }, QuietMs);
}

// The zone's picture as the form makes it: cut at full resolution, resampled, then toned.
inline QImage expectedPicture(const QImage &source, const QRect &zone, int curve = 1, int tone = 0)
{
    QImage picture = source.copy(zone);
    resampleBitmap(picture, 360, 360);
    if (tone > 0)
        toneFilter(picture, buildToneCurves(), curve, 1, static_cast<float>(tone / 100.0));
    return picture;
}

inline QImage withGrid(QImage picture, int cols, int rows)
{
    invertGrid(picture, cols, rows);
    return picture;
}

inline QImage rgb32(const QImage &picture)
{
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace tivane::AuthoringTest
