// Making and changing puzzles: a 24-megapixel camera JPEG read and shown in the framing dialog,
// one drag step on it, the tone applied to the 360 x 360 preview, and whole saves.
#include "authoring/EditingForm.h"
#include "authoring/FramingDialog.h"
#include "authoring/GridOverlay.h"
#include "authoring/PictureLoader.h"
#include "core/PictureRoutines.h"
#include "store/PuzzleStore.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>

#include <stdexcept>

using namespace tivane;

namespace {

// A photo-like picture: smooth gradients with some noise, so the JPEG is as heavy as a real one.
QImage scene(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(24));
            row[x] = qRgb((x * 255 / width + n) & 255, (y * 255 / height + n) & 255, ((x + y) / 40 + n) & 255);
        }
    }
    return image;
}

// The 6000 x 4000 JPEG, written once.
class CameraPicture
{
public:
    CameraPicture()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot make the benchmark folder");
        m_path = m_dir.filePath(QStringLiteral("IMG_0001.JPG"));
        QImageWriter writer(m_path, "jpeg");
        writer.setQuality(90);
        if (!writer.write(scene(6000, 4000)))
            throw std::runtime_error("cannot write the benchmark JPEG");
    }
    const QString &path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

const CameraPicture &camera()
{
    static const CameraPicture picture;
    return picture;
}

PuzzleDescription benchDescription()
{
    PuzzleDescription d;
    d.puzzleName = QStringLiteral("Les lapins du pré");
    d.gridCols = 4;
    d.gridRows = 3;
    d.modelAllowed = true;
    d.modelMode = ModelMode::Permanent;
    d.rotationEnabled = true;
    d.timeLimit = 120;
    return d;
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// From the file chosen to the framing dialog drawn on screen.
void BM_OpenAndFrame_Jpeg6000x4000(benchmark::State &state)
{
    const QString path = camera().path();
    FramingDialog dialog;
    // Drawn into an image: an offscreen window that was never exposed would not paint.
    QImage screen(dialog.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        dialog.prepare(loadPicture(path));
        dialog.open();
        dialog.render(&screen);
        state.PauseTiming();
        dialog.done(QDialog::Rejected);
        dialog.releasePicture();
        state.ResumeTiming();
    }
}

// One pointer move during a drag on the 6000 x 4000 picture, the view redrawn.
void BM_DragStep_Jpeg6000x4000(benchmark::State &state)
{
    FramingDialog dialog;
    dialog.prepare(loadPicture(camera().path()));
    dialog.open();
    FramingView *view = dialog.view();
    QImage screen(view->size(), QImage::Format_ARGB32_Premultiplied);
    sendMouse(view, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
    // 90 view pixels are 1500 picture pixels: the zone slides between 0 and 1500.
    sendMouse(view, QEvent::MouseMove, QPoint(100, 10), Qt::LeftButton);
    if (dialog.selection().left != 1500)
        state.SkipWithError("the zone does not follow the pointer");
    int step = 0;
    for (auto _ : state) {
        // Back and forth across the slide, so every step moves the zone.
        const int x = 10 + (step++ % 2) * 90;
        sendMouse(view, QEvent::MouseMove, QPoint(x, 10), Qt::LeftButton);
        view->render(&screen);
    }

    sendMouse(view, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::NoButton);
    dialog.done(QDialog::Rejected);
}

// A store holding puzzle 0, a 360 x 360 photo-like picture with its thumbnail.
struct OnePuzzleStore
{
    QTemporaryDir dir;
    PuzzleStore store{dir.path()};
    QImage picture = scene(360, 360).convertToFormat(QImage::Format_RGB888);

    OnePuzzleStore()
    {
        QImage thumbnail = picture;
        resampleBitmap(thumbnail, 100, 100);
        store.savePuzzle(0, benchDescription(), DescriptionLines::All, picture, thumbnail);
    }
};

// TTval moved: the tone filter on a copy of the 360 x 360 picture, the grid drawn over it.
void BM_ApplyTone_360(benchmark::State &state)
{
    OnePuzzleStore fixture;
    EditingForm form(fixture.store);
    if (!form.openFor(0))
        throw std::runtime_error("cannot open the benchmark puzzle");
    auto *slider = form.findChild<QSlider *>(QStringLiteral("TTval"));
    int step = 0;
    for (auto _ : state)
        slider->setValue(50 + step++ % 2);
    form.done(QDialog::Rejected);
}

// What a save writes: the preview without its grid, and its thumbnail.
std::pair<QImage, QImage> savedPictures(const EditingForm &form)
{
    QImage picture = form.pictureWithoutGrid();
    QImage thumbnail = picture;
    resampleBitmap(thumbnail, 100, 100);
    return {picture, thumbnail};
}

// A new puzzle saved: the grid taken off the preview, the thumbnail resampled, the pictures
// and the description written under the lowest free number.
void BM_SaveNewPuzzle(benchmark::State &state)
{
    OnePuzzleStore fixture;
    EditingForm form(fixture.store);
    if (!form.openFor(0))
        throw std::runtime_error("cannot open the benchmark puzzle");
    const PuzzleDescription description = benchDescription();
    for (auto _ : state) {
        const auto [picture, thumbnail] = savedPictures(form);
        const int n = fixture.store.saveNewPuzzle(description, picture, thumbnail);
        state.PauseTiming();
        fixture.store.deletePuzzle(n);
        state.ResumeTiming();
    }
    form.done(QDialog::Rejected);
}

// An edited puzzle saved: the same, with the three files replaced whole through temporaries.
void BM_ReplacePuzzle(benchmark::State &state)
{
    OnePuzzleStore fixture;
    EditingForm form(fixture.store);
    if (!form.openFor(0))
        throw std::runtime_error("cannot open the benchmark puzzle");
    const PuzzleDescription description = benchDescription();
    for (auto _ : state) {
        const auto [picture, thumbnail] = savedPictures(form);
        fixture.store.replacePuzzle(0, description, DescriptionLines::All, picture, thumbnail);
    }
    form.done(QDialog::Rejected);
}

} // namespace

BENCHMARK(BM_OpenAndFrame_Jpeg6000x4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep_Jpeg6000x4000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyTone_360)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveNewPuzzle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplacePuzzle)->Unit(benchmark::kMillisecond);
