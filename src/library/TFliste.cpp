#include "TFliste.h"

#include "Fonts.h"
#include "TivaneError.h"
#include "WinColor.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

constexpr int FormWidth = 728;
constexpr int FormHeight = 480;
constexpr quint32 Maroon = 0x000080;
constexpr quint32 Blue = 0xFF0000;

void setTextColour(QWidget *widget, QPalette::ColorRole role, quint32 bbggrr)
{
    QPalette palette = widget->palette();
    palette.setColor(role, winColor(bbggrr));
    widget->setPalette(palette);
}

// A counter held up while a thumbnail's mouse handler runs.
class EventDepth
{
public:
    explicit EventDepth(int &depth) : m_depth(depth) { ++m_depth; }
    ~EventDepth() { --m_depth; }
    EventDepth(const EventDepth &) = delete;
    EventDepth &operator=(const EventDepth &) = delete;

private:
    int &m_depth;
};

} // namespace

ThumbnailLabel::ThumbnailLabel(TFliste *form, int tag, QWidget *parent)
    : QLabel(parent), m_form(form), m_tag(tag)
{
    setObjectName(QStringLiteral("VV%1").arg(tag));
    setCursor(Qt::PointingHandCursor);
}

void ThumbnailLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    m_form->VVMouseDown(this, event->button(), event->modifiers(), event->position().toPoint());
}

void ThumbnailLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftDown && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click)
        m_form->VVClick(this);
}

TFliste::TFliste(PuzzleStore store, std::function<void()> scanFinished, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_store(std::move(store)),
      m_scanFinished(std::move(scanFinished)),
      m_badges(ThumbnailBadges::builtin())
{
    setObjectName(QStringLiteral("Fliste"));
    setModal(true);
    FormCreate();
}

void TFliste::FormCreate()
{
    QPalette silver = palette();
    silver.setColor(QPalette::Window, winColor(WinColors::Silver));
    silver.setColor(QPalette::Button, winColor(WinColors::Silver));
    setPalette(silver);
    setAutoFillBackground(true);
    setFixedSize(FormWidth, FormHeight);
    centreOnScreen();

    P1 = new QFrame(this);
    P1->setObjectName(QStringLiteral("P1"));
    P1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    P1->setLineWidth(2);
    P1->setGeometry(0, 0, width(), height());

    Label1 = new QLabel(QStringLiteral("Choisis un puzzle..."), P1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(formFont(16, true));
    setTextColour(Label1, QPalette::WindowText, Blue);
    Label1->setGeometry(16, 8, 361, 17);

    SB = new QScrollArea(P1);
    SB->setObjectName(QStringLiteral("SB"));
    SB->setGeometry(16, 32, P1->width() - 40, P1->height() - 80);
    SB->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SB->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SB->verticalScrollBar()->setTracking(true);
    // The content follows the box's width; its height is set by each scan to fit the rows.
    SB->setWidgetResizable(true);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("SBcontent"));
    SB->setWidget(m_content);

    Label2 = new QLabel(QStringLiteral("Ctrl+Clic droit sur un puzzle pour les options"), P1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(formFont(16, true));
    setTextColour(Label2, QPalette::WindowText, Blue);
    Label2->adjustSize();
    Label2->move(16, SB->y() + SB->height() + 10);

    Annuler = new QToolButton(P1);
    Annuler->setObjectName(QStringLiteral("Annuler"));
    Annuler->setText(QStringLiteral("ANNULER"));
    Annuler->setAutoRaise(true);
    Annuler->setCursor(Qt::PointingHandCursor);
    Annuler->setFont(formFont(13, true));
    setTextColour(Annuler, QPalette::ButtonText, Maroon);
    Annuler->resize(97, 33);
    Annuler->move(P1->width() - Annuler->width() - 20, SB->y() + SB->height() + 4);
    connect(Annuler, &QToolButton::clicked, this, &TFliste::AnnulerClick);

    ScanPuzzles();
}

void TFliste::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void TFliste::showEvent(QShowEvent *event)
{
    centreOnScreen();
    QDialog::showEvent(event);
}

void TFliste::clearThumbnails()
{
    if (m_thumbnailEvents == 0) {
        qDeleteAll(m_retired);
        m_retired.clear();
        qDeleteAll(m_thumbnails);
    } else {
        for (ThumbnailLabel *vv : std::as_const(m_thumbnails))
            vv->hide();
        m_retired += m_thumbnails;
    }
    m_thumbnails.clear();
}

void TFliste::ScanPuzzles()
{
    QStringList unreadable;
    try {
        clearThumbnails();
        int position = 0;
        for (const StoreEntry &entry : m_store.enumerate()) {
            try {
                const PuzzleDescription d =
                    m_store.readDescriptionFile(entry.fileName, DescriptionLines::UpToTime);
                BuildThumbnail(entry.number, position, d.PuzzleName, d.GridRows, d.GridCols,
                               d.TimeLimit > 0, d.RotationEnabled, d.ModelAllowed);
                ++position;
            } catch (const TivaneError &error) {
                unreadable << error.message();
            }
        }
    } catch (const TivaneError &error) {
        unreadable << error.message();
    }
    fitContent();

    // Before the message: whoever waits for the list must not wait for the box as well.
    if (m_scanFinished)
        m_scanFinished();
    if (!unreadable.isEmpty())
        QMessageBox::warning(this, QStringLiteral("TIVANE"),
                             QStringLiteral("Ces puzzles n'ont pas pu être lus et ne sont pas "
                                            "dans la liste :\n\n")
                                 + unreadable.join(QLatin1Char('\n')));
}

void TFliste::BuildThumbnail(int n, int position, const QString &name, int rows, int columns,
                             bool timed, bool rotation, bool model)
{
    const QImage picture = m_store.readThumbnail(n);
    const QImage decorated =
        decorateThumbnail(picture, {columns, rows, model, rotation, timed}, m_badges);

    auto *vv = new ThumbnailLabel(this, n, m_content);
    vv->setPixmap(QPixmap::fromImage(decorated));
    vv->resize(decorated.size());
    vv->move(ThumbnailLayout::place(position));
    vv->setToolTip(name);
    vv->show();
    m_thumbnails.append(vv);
}

void TFliste::fitContent()
{
    int bottom = 0;
    for (const ThumbnailLabel *vv : std::as_const(m_thumbnails))
        bottom = std::max(bottom, vv->geometry().bottom() + 1);
    m_content->setMinimumHeight(bottom);
}

QList<int> TFliste::puzzleNumbers() const
{
    QList<int> numbers;
    numbers.reserve(m_thumbnails.size());
    for (const ThumbnailLabel *vv : m_thumbnails)
        numbers.append(vv->Tag());
    return numbers;
}

void TFliste::VVMouseDown(ThumbnailLabel *vv, Qt::MouseButton button,
                          Qt::KeyboardModifiers modifiers, QPoint pos)
{
    const EventDepth depth(m_thumbnailEvents);
    SelectedPuzzle = vv->Tag();
    PictureFile = PuzzleStore::pictureName(vv->Tag());
    if (button == Qt::RightButton && modifiers.testFlag(Qt::ControlModifier)) {
        PopupPuzzle = SelectedPuzzle;
        emit popupRequested(PopupPuzzle, vv->mapToGlobal(pos));
    }
}

void TFliste::VVClick(ThumbnailLabel *vv)
{
    const EventDepth depth(m_thumbnailEvents);
    SelectedPuzzle = vv->Tag();
    accept();
}

void TFliste::AnnulerClick()
{
    reject();
}

void TFliste::reject()
{
    SelectedPuzzle = -1;
    QDialog::reject();
}
