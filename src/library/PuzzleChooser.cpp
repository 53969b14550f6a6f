#include "library/PuzzleChooser.h"

#include "core/Error.h"
#include "core/Fonts.h"
#include "core/PointerInput.h"
#include "core/WinColor.h"
#include "library/ArchiveExchange.h"
#include "library/StoreWatcher.h"
#include "store/PuzzleStore.h"
#include "widgets/ActionGuard.h"
#include "widgets/FormParts.h"
#include "widgets/Messages.h"
#include "widgets/StoreRetry.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace tivane {

namespace {

constexpr int FormWidth = 728;
constexpr int FormHeight = 480;
constexpr int DeleteDelayMs = 100;

} // namespace

ThumbnailLabel::ThumbnailLabel(int tag, QWidget *parent)
    : QLabel(parent), m_tag(tag)
{
    setObjectName(QStringLiteral("VV%1").arg(tag));
    setCursor(Qt::PointingHandCursor);
}

void ThumbnailLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit pressed(m_tag, event->button(), isFromRealMouse(*event) ? event->modifiers() : Qt::NoModifier,
                 mapToGlobal(event->position().toPoint()));
}

void ThumbnailLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftDown && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click)
        emit clicked(m_tag);
}

PuzzleChooser::PuzzleChooser(PuzzleStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_store(store),
      m_badges(ThumbnailBadges::builtin())
{
    setObjectName(QStringLiteral("TFliste"));
    setModal(true);
    buildForm();
    buildMenu();
    m_storeRetry = new StoreRetry(this);
    connect(&m_store, &PuzzleStore::changed, this, &PuzzleChooser::scheduleScan);
    m_watcher = new StoreWatcher(m_store.directory(), this);
    connect(m_watcher, &StoreWatcher::folderChanged, this, &PuzzleChooser::scanPuzzles);
}

void PuzzleChooser::buildForm()
{
    applySilverPalette(this);
    setFixedSize(FormWidth, FormHeight);
    centreOnScreen();

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("P1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setGeometry(0, 0, width(), height());

    m_title = new QLabel(QStringLiteral("Choisis un puzzle..."), m_panel);
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setFont(formFont(16, true));
    setTextColour(m_title, winColor(WinColors::Blue));
    m_title->setGeometry(16, 8, 361, 17);

    m_scrollBox = new QScrollArea(m_panel);
    m_scrollBox->setObjectName(QStringLiteral("SB"));
    m_scrollBox->setGeometry(16, 32, m_panel->width() - 40, m_panel->height() - 80);
    m_scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollBox->verticalScrollBar()->setTracking(true);
    // The content follows the box's width; its height is set by each scan to fit the rows.
    m_scrollBox->setWidgetResizable(true);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("SBcontent"));
    m_scrollBox->setWidget(m_content);

    m_hint = new QLabel(QStringLiteral("Ctrl+Clic droit sur un puzzle pour les options"), m_panel);
    m_hint->setObjectName(QStringLiteral("Label2"));
    m_hint->setFont(formFont(16, true));
    setTextColour(m_hint, winColor(WinColors::Blue));
    m_hint->adjustSize();
    m_hint->move(16, m_scrollBox->y() + m_scrollBox->height() + 10);

    m_cancel = makeSpeedButton(m_panel, QStringLiteral("Annuler"), QRect(), QStringLiteral("ANNULER"),
                               formFont(13, true), winColor(WinColors::Maroon));
    m_cancel->resize(97, 33);
    m_cancel->move(m_panel->width() - m_cancel->width() - 20, m_scrollBox->y() + m_scrollBox->height() + 4);
    connect(m_cancel, &QToolButton::clicked, this, &PuzzleChooser::reject);
}

void PuzzleChooser::buildMenu()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PP"));
    m_exchange = new ArchiveExchange(m_store, this);
    const auto entry = [this](const char *name, const QString &text, auto act) {
        QAction *action = m_menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, act);
    };
    entry("Imprimer1", QStringLiteral("Imprimer"), [this] { emit printRequested(m_menuPuzzle); });
    entry("Supprimer1", QStringLiteral("Supprimer"), [this] { confirmDelete(); });
    entry("Modifier1", QStringLiteral("Modifier"), [this] { emit modifyRequested(m_menuPuzzle); });
    entry("Exporter1", QStringLiteral("Exporter"), [this] { m_exchange->startExport(m_menuPuzzle); });
    entry("Importer1", QStringLiteral("Importer"), [this] { m_exchange->startImport(); });

    m_deleteTimer = new QTimer(this);
    m_deleteTimer->setObjectName(QStringLiteral("Timer1"));
    m_deleteTimer->setSingleShot(true);
    m_deleteTimer->setInterval(DeleteDelayMs);
    connect(m_deleteTimer, &QTimer::timeout, this, &PuzzleChooser::deletePending);
}

void PuzzleChooser::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void PuzzleChooser::showEvent(QShowEvent *event)
{
    centreOnScreen();
    QDialog::showEvent(event);
}

void PuzzleChooser::openForChoice()
{
    m_selectedPuzzle = -1;
    if (m_watcher->changedSinceSeen())
        scanPuzzles();
    open();
}

void PuzzleChooser::clearThumbnails()
{
    // A thumbnail may be the one whose handler is running: it goes once that has returned, and
    // meanwhile no longer answers to its name.
    for (ThumbnailLabel *thumbnail : std::as_const(m_thumbnails)) {
        thumbnail->hide();
        thumbnail->setObjectName(QString());
        thumbnail->deleteLater();
    }
    m_thumbnails.clear();
}

void PuzzleChooser::scheduleScan()
{
    if (m_scanScheduled)
        return;
    m_scanScheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (m_scanScheduled)
            scanPuzzles();
    });
}

void PuzzleChooser::scanPuzzles()
{
    m_scanScheduled = false;
    // Before the files are read: a change made while they are read is told again.
    m_watcher->markSeen();
    QStringList problems;
    try {
        clearThumbnails();
        m_descriptions.clear();
        const StoreListing listing = m_store.listPuzzles();
        int position = 0;
        for (const StoreEntry &entry : listing.entries) {
            try {
                QByteArray bytes;
                const PuzzleDescription d =
                    m_store.readDescriptionFile(entry.fileName, DescriptionLines::UpToTime, &bytes);
                buildThumbnail(entry.number, position, d);
                m_descriptions.insert(entry.number, bytes);
                ++position;
            } catch (const Error &error) {
                problems << error.message();
            }
        }
        for (const LeftOutFile &file : listing.leftOut)
            problems << QStringLiteral("%1 : %2").arg(quoted(file.fileName), file.reason);
    } catch (const Error &error) {
        problems << error.message();
    }
    fitContent();

    // Before the message: whoever waits for the list must not wait for the box as well.
    emit listRebuilt();
    if (problems.isEmpty() || problems == m_lastProblems) {
        m_lastProblems = problems;
        return;
    }
    m_lastProblems = problems;
    showListMessage(this, QStringLiteral("Ces fichiers du dossier des puzzles ont été laissés de côté ; "
                                          "les puzzles qu'ils décrivent ne sont pas dans la liste."),
                    problems);
}

void PuzzleChooser::buildThumbnail(int n, int position, const PuzzleDescription &description)
{
    const QImage picture = m_store.readThumbnail(n);
    const QImage shown = thumbnailForDisplay(picture, ThumbnailMarks::of(description), m_badges);

    auto *thumbnail = new ThumbnailLabel(n, m_content);
    thumbnail->setPixmap(QPixmap::fromImage(shown));
    thumbnail->resize(shown.size());
    thumbnail->move(ThumbnailLayout::place(position));
    thumbnail->setToolTip(description.puzzleName);
    connect(thumbnail, &ThumbnailLabel::pressed, this, &PuzzleChooser::thumbnailPressed);
    connect(thumbnail, &ThumbnailLabel::clicked, this, &PuzzleChooser::thumbnailClicked);
    thumbnail->show();
    m_thumbnails.append(thumbnail);
}

void PuzzleChooser::fitContent()
{
    int bottom = 0;
    for (const ThumbnailLabel *thumbnail : std::as_const(m_thumbnails))
        bottom = std::max(bottom, thumbnail->geometry().bottom() + 1);
    m_content->setMinimumHeight(bottom);
}

QList<int> PuzzleChooser::puzzleNumbers() const
{
    QList<int> numbers;
    numbers.reserve(m_thumbnails.size());
    for (const ThumbnailLabel *thumbnail : m_thumbnails)
        numbers.append(thumbnail->tag());
    return numbers;
}

void PuzzleChooser::thumbnailPressed(int puzzle, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                     QPoint globalPos)
{
    m_selectedPuzzle = puzzle;
    if (button == Qt::RightButton && modifiers.testFlag(Qt::ControlModifier)) {
        m_menuPuzzle = puzzle;
        emit popupRequested(puzzle, globalPos);
        m_menu->popup(globalPos);
    }
}

void PuzzleChooser::thumbnailClicked(int puzzle)
{
    m_selectedPuzzle = puzzle;
    accept();
}

void PuzzleChooser::reject()
{
    m_selectedPuzzle = -1;
    QDialog::reject();
}

void PuzzleChooser::confirmDelete()
{
    const int puzzle = m_menuPuzzle;
    // The puzzle as the list shows it: if another program changes it meanwhile, it stays.
    std::optional<QByteArray> shown;
    if (m_descriptions.contains(puzzle))
        shown = m_descriptions.value(puzzle);
    askYesNo(this, QStringLiteral("Suppression d'un puzzle"), QStringLiteral("Confirmez-vous l'effacement ?"),
             [this, puzzle, shown](bool yes) {
                 if (!yes || m_deleteTimer->isActive() || m_storeRetry->isActive())
                     return;
                 QApplication::setOverrideCursor(Qt::WaitCursor);
                 m_pendingDelete = puzzle;
                 m_pendingDeleteDescription = shown;
                 m_deleteTimer->start();
                 scanPuzzles();
             });
}

void PuzzleChooser::deletePending()
{
    const int puzzle = std::exchange(m_pendingDelete, -1);
    const std::optional<QByteArray> shown = std::exchange(m_pendingDeleteDescription, std::nullopt);
    const bool started = m_storeRetry->run([this, puzzle, shown] { m_store.deletePuzzle(puzzle, shown); },
                                           [this](bool) {
                                               scanPuzzles();
                                               QApplication::restoreOverrideCursor();
                                           });
    if (!started)
        QApplication::restoreOverrideCursor();
}

} // namespace tivane
